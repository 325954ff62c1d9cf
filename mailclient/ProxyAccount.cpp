#include "ProxyAccount.h"

#include "TextCompare.h"

namespace ProxyAccount {

std::string NewUserName(const std::string& userName, const std::string& server, const std::string& port) {
    std::string result = userName + "#" + server;
    if (!port.empty() && port != "110")
        result += ":" + port;
    return result;
}

bool FetchesThroughProxy(const std::string& userName, const std::string& server) {
    return userName.find('#') != std::string::npos && TextCompare(server, kProxyServer) == 0;
}

std::optional<std::int32_t> PortNumber(const std::string& text) {
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    std::int32_t port = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

}  // namespace ProxyAccount
