#include "CString.h"
#include "MInet.h"
#include "TransferUrl.h"

namespace {

// A download that fails leaves the object empty, as a failed load does.
void LoadUrl(CString& target, const std::string& url) {
    target.Clear();
    try {
        if (const auto bytes = MInet::UrlGet(url)) {
            target.append(*bytes);
        }
    } catch (...) {
        target.Clear();
    }
}

}  // namespace

void CString::loadFTP(const std::string& host, const std::string& user, const std::string& pwd,
                      const std::string& path) {
    LoadUrl(*this, TransferUrl::Ftp(host, user, pwd, path));
}

void CString::loadHTTP(const std::string& host, const std::string& path) {
    LoadUrl(*this, TransferUrl::Http(host, path));
}

bool CString::saveFTP(const std::string& host, const std::string& user, const std::string& pwd,
                      const std::string& path) const {
    const TransferUrl::FtpLogin login = TransferUrl::UploadLogin(user, pwd);
    return MInet::FtpPut(host, login.user, login.password, TransferUrl::UploadPath(path), *this);
}
