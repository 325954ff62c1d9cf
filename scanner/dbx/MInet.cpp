#include "MInet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

#include "CString.h"

namespace MInet {

namespace {

constexpr char kUserAgent[] = "Zelbrin CString-Class";
constexpr DWORD kRootFlags = INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_PASSIVE;
constexpr DWORD kReadSize = 2048;
constexpr std::int32_t kWriteSize = 16384;

// A WinINet handle, closed when it goes out of scope unless closed before.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { close(); }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Closing an FTP file handle ends its transfer; the result says how.
    bool close() {
        const bool closed = handle_ == nullptr || InternetCloseHandle(handle_);
        handle_ = nullptr;
        return closed;
    }

private:
    HINTERNET handle_;
};

HINTERNET OpenRoot() {
    return InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, kRootFlags);
}

bool IsHttp(HINTERNET request) {
    DWORD type = 0;
    DWORD size = sizeof type;
    return InternetQueryOptionA(request, INTERNET_OPTION_HANDLE_TYPE, &type, &size) &&
           type == INTERNET_HANDLE_TYPE_HTTP_REQUEST;
}

// A number from the response head; false when the head has no such field.
bool HeaderNumber(HINTERNET request, DWORD field, DWORD& value) {
    DWORD size = sizeof value;
    return HttpQueryInfoA(request, field | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr);
}

// An HTTP error page is not the resource asked for.
bool StatusSuccessful(HINTERNET request) {
    DWORD status = 0;
    return HeaderNumber(request, HTTP_QUERY_STATUS_CODE, status) && status >= 200 && status < 300;
}

// A connection that ends before the announced length has lost data.
bool LengthComplete(HINTERNET request, std::int32_t received) {
    DWORD announced = 0;
    return !HeaderNumber(request, HTTP_QUERY_CONTENT_LENGTH, announced) ||
           static_cast<std::int64_t>(announced) == received;
}

std::optional<std::string> ReadAll(HINTERNET request) {
    const bool http = IsHttp(request);
    if (http && !StatusSuccessful(request)) {
        return std::nullopt;
    }
    CString collected;
    char buffer[kReadSize];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, kReadSize, &got)) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        collected.append(std::string_view(buffer, got));
    }
    if (http && !LengthComplete(request, collected.length())) {
        return std::nullopt;
    }
    return collected.toString();
}

bool WriteAll(HINTERNET file, const char* bytes, DWORD count) {
    DWORD written = 0;
    return InternetWriteFile(file, bytes, count, &written) && written == count;
}

bool Upload(const std::string& host, const std::string& user, const std::string& password,
            const std::string& remotePath, const CString& content) {
    InternetHandle root(OpenRoot());
    if (!root) {
        return false;
    }
    InternetHandle connection(InternetConnectA(root.get(), host.c_str(), INTERNET_DEFAULT_FTP_PORT, user.c_str(),
                                               password.c_str(), INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0));
    if (!connection) {
        return false;
    }
    InternetHandle file(FtpOpenFileA(connection.get(), remotePath.c_str(), GENERIC_WRITE, FTP_TRANSFER_TYPE_ASCII, 0));
    if (!file) {
        return false;
    }
    const std::string bytes = content.toString();
    const std::int32_t total = content.length();
    // Whole chunks, then the rest; an empty rest has nothing to send.
    for (std::int32_t at = 0; at < total; at += kWriteSize) {
        const DWORD count = static_cast<DWORD>(std::min(kWriteSize, total - at));
        if (!WriteAll(file.get(), bytes.data() + at, count)) {
            return false;
        }
    }
    return file.close();
}

}  // namespace

std::optional<std::string> UrlGet(const std::string& url) {
    try {
        InternetHandle root(OpenRoot());
        if (!root) {
            return std::nullopt;
        }
        InternetHandle request(InternetOpenUrlA(root.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
        if (!request) {
            return std::nullopt;
        }
        return ReadAll(request.get());
    } catch (...) {
        // A download too large for the buffer is a failed download.
        return std::nullopt;
    }
}

bool FtpPut(const std::string& host, const std::string& user, const std::string& password,
            const std::string& remotePath, const CString& content) {
    try {
        return Upload(host, user, password, remotePath, content);
    } catch (...) {
        return false;
    }
}

}  // namespace MInet
