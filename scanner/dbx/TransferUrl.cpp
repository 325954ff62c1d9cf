#include "TransferUrl.h"

namespace TransferUrl {

namespace {

// The anonymous login's password: servers ask for an address-like text.
constexpr char kAnonymousPassword[] = "pelwarden@scan.local";

// The server part and the path joined by exactly one "/", whichever side
// already carries one.
std::string Join(std::string server, const std::string& path) {
    if (!server.empty() && server.back() == '/') {
        server.pop_back();
    }
    const std::size_t skip = !path.empty() && path.front() == '/' ? 1 : 0;
    return server + "/" + path.substr(skip);
}

}  // namespace

std::string Ftp(const std::string& host, const std::string& user, const std::string& pwd, const std::string& path) {
    const std::string login = user.empty() ? "" : user + ":" + pwd + "@";
    return Join("ftp://" + login + host, path);
}

std::string Http(const std::string& host, const std::string& path) {
    return Join("http://" + host, path);
}

FtpLogin UploadLogin(const std::string& user, const std::string& pwd) {
    if (user.empty()) {
        return {"ftp", kAnonymousPassword};
    }
    return {user, pwd};
}

std::string UploadPath(const std::string& path) {
    return !path.empty() && path.front() == '/' ? path : "/" + path;
}

}  // namespace TransferUrl
