#pragma once
#include <optional>
#include <string>

class CString;

// Transfers over the Windows Internet functions.
namespace MInet {

// The bytes of the resource at an FTP or HTTP URL, always fetched anew.
// A resource that cannot be had (no connection, an HTTP status other than
// 2xx, a broken or short read) gives no value, so a failure is never taken
// for an empty resource, which gives "".
std::optional<std::string> UrlGet(const std::string& url);

// Uploads the content to remotePath on the FTP server (passive mode, ASCII
// type, 16384 bytes a write). False when connecting, opening the remote file,
// any write or the closing transfer fails.
bool FtpPut(const std::string& host, const std::string& user, const std::string& password,
            const std::string& remotePath, const CString& content);

}  // namespace MInet
