#pragma once
#include <cstdint>
#include <optional>
#include <string>

// How a POP3 account is made to fetch its mail through the local proxy: the
// server becomes "localhost" and the old server, and the old port unless it
// is the default, survive only inside the user name.
namespace ProxyAccount {

inline constexpr const char* kProxyServer = "localhost";

// The old user name, "#" and the old server, then ":" and the old port
// unless that port is empty or "110".
std::string NewUserName(const std::string& userName, const std::string& server, const std::string& port);

// True when the account already fetches through the proxy: its user name
// holds "#" and its server is "localhost" (letter case aside).
bool FetchesThroughProxy(const std::string& userName, const std::string& server);

// The port of a text of decimal digits from 1 to 65535; nothing otherwise.
std::optional<std::int32_t> PortNumber(const std::string& text);

}  // namespace ProxyAccount
