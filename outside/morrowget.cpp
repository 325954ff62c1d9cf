// Stand-in for the maker's HTTP request library, over WinINet. The caller
// hands in a zero-filled buffer; the response body is written at its front
// and followed by a code-0 character. Result codes follow libcurl's numbering
// (0 success, 5 proxy not resolved, 6 host not resolved, 7 no connection).
//
// BRINDLECOTE_UPDATE_HOST (host[:port]), when set, takes the place of the
// host in every URL, so tests can point the console at a server of their own.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

namespace {

enum Result : std::int32_t {
    kOk = 0,
    kUnsupportedProtocol = 1,
    kFailedInit = 2,
    kUrlMalformed = 3,
    kProxyNotResolved = 5,
    kHostNotResolved = 6,
    kCannotConnect = 7,
    kHttpError = 22,
    kWriteError = 23,
    kTimedOut = 28,
    kReceiveError = 56,
};

// Milliseconds by which the tick count may fall short of a waited time.
const ULONGLONG kClockSlack = 100;

// Closes a WinINet handle when it goes.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_) {
            InternetCloseHandle(handle_);
        }
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    operator HINTERNET() const { return handle_; }

private:
    HINTERNET handle_;
};

struct Request {
    const char* verb;
    std::string content;
    std::string url;
    std::int32_t connectTimeout;  // seconds
    std::int32_t timeOut;         // seconds, for the whole request
    char* buffer;
    std::int32_t bufferSize;
    std::string userAgent;
    std::string proxy;
    std::string credentials;  // user ":" password, for the proxy
};

std::string Text(const char* text) {
    return text ? text : "";
}

std::string Environment(const char* name) {
    char value[512] = "";
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : "";
}

// The URL with the host (and port) of the override, when one is set.
std::string WithHostOverride(const std::string& url) {
    const std::string host = Environment("BRINDLECOTE_UPDATE_HOST");
    const std::size_t scheme = url.find("://");
    if (host.empty() || scheme == std::string::npos) {
        return url;
    }
    const std::size_t start = scheme + 3;
    const std::size_t end = url.find('/', start);
    return url.substr(0, start) + host + (end == std::string::npos ? "" : url.substr(end));
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j) {
            group = (group << 8) | (j < count ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        }
        for (std::size_t j = 0; j < 4; ++j) {
            out += j <= count ? kDigits[(group >> (18 - 6 * j)) & 63] : '=';
        }
    }
    return out;
}

// The result code of the WinINet call that just failed. A wait that lasted
// to the time limit is a time-out, whatever WinINet calls it (Wine reports an
// aborted connection).
std::int32_t FromLastError(const Request& request, ULONGLONG deadline) {
    const DWORD error = GetLastError();
    if (request.timeOut > 0 && GetTickCount64() + kClockSlack >= deadline) {
        return kTimedOut;
    }
    switch (error) {
        case ERROR_INTERNET_NAME_NOT_RESOLVED:
            return request.proxy.empty() ? kHostNotResolved : kProxyNotResolved;
        case ERROR_INTERNET_CANNOT_CONNECT:
        case ERROR_INTERNET_CONNECTION_ABORTED:
        case ERROR_INTERNET_CONNECTION_RESET:
            return kCannotConnect;
        case ERROR_INTERNET_TIMEOUT:
            return kTimedOut;
        case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
            return kUnsupportedProtocol;
        case ERROR_INTERNET_INVALID_URL:
            return kUrlMalformed;
        default:
            return kReceiveError;
    }
}

void SetTimeouts(HINTERNET handle, const Request& request) {
    DWORD connect = static_cast<DWORD>(request.connectTimeout) * 1000;
    DWORD transfer = static_cast<DWORD>(request.timeOut) * 1000;
    DWORD retries = 1;
    if (request.connectTimeout > 0) {
        InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    }
    if (request.timeOut > 0) {
        InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &transfer, sizeof transfer);
        InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &transfer, sizeof transfer);
    }
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
}

// Reads the body into the buffer; a body that does not fit (with its
// terminating code 0) is cut there and reported.
std::int32_t ReadBody(HINTERNET file, const Request& request, ULONGLONG deadline) {
    std::int32_t used = 0;
    for (;;) {
        char chunk[4096];
        DWORD got = 0;
        if (!InternetReadFile(file, chunk, sizeof chunk, &got)) {
            return FromLastError(request, deadline);
        }
        if (got == 0) {
            return kOk;
        }
        const std::int32_t room = request.bufferSize - 1 - used;
        const std::int32_t take = static_cast<std::int32_t>(got) < room ? static_cast<std::int32_t>(got) : room;
        CopyMemory(request.buffer + used, chunk, static_cast<SIZE_T>(take));
        used += take;
        request.buffer[used] = '\0';
        if (take < static_cast<std::int32_t>(got)) {
            return kWriteError;
        }
        if (request.timeOut > 0 && GetTickCount64() > deadline) {
            return kTimedOut;
        }
    }
}

std::int32_t Send(const Request& request) {
    if (request.buffer == nullptr || request.bufferSize <= 0) {
        return kWriteError;
    }
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(request.timeOut) * 1000;
    const std::string url = WithHostOverride(request.url);
    char host[256] = "", path[2048] = "", extra[2048] = "";
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts)) {
        return kUrlMalformed;
    }
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
        return kUnsupportedProtocol;
    }
    const bool viaProxy = !request.proxy.empty();
    InternetHandle session(InternetOpenA(request.userAgent.c_str(),
                                         viaProxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT,
                                         viaProxy ? request.proxy.c_str() : nullptr, nullptr, 0));
    if (session == nullptr) {
        return kFailedInit;
    }
    SetTimeouts(session, request);
    InternetHandle connection(
        InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (connection == nullptr) {
        return FromLastError(request, deadline);
    }
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | (secure ? INTERNET_FLAG_SECURE : 0);
    const std::string object = std::string(path) + extra;
    InternetHandle file(
        HttpOpenRequestA(connection, request.verb, object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (file == nullptr) {
        return FromLastError(request, deadline);
    }
    SetTimeouts(file, request);
    std::string headers;
    if (viaProxy && !request.credentials.empty()) {
        headers += "Proxy-Authorization: Basic " + Base64(request.credentials) + "\r\n";
    }
    if (std::string(request.verb) == "POST") {
        headers += "Content-Type: application/x-www-form-urlencoded\r\n";
    }
    if (!headers.empty()) {
        HttpAddRequestHeadersA(file, headers.c_str(), static_cast<DWORD>(headers.size()),
                               HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
    }
    void* body = request.content.empty() ? nullptr : const_cast<char*>(request.content.data());
    if (!HttpSendRequestA(file, nullptr, 0, body, static_cast<DWORD>(request.content.size()))) {
        return FromLastError(request, deadline);
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(file, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return kReceiveError;
    }
    if (status >= 400) {
        return kHttpError;
    }
    return ReadBody(file, request, deadline);
}

}  // namespace

extern "C" {

std::int32_t WINAPI kx_sendRequest(const char* content, const char* url, std::int32_t connectTimeout,
                                   std::int32_t timeOut, char* buffer, std::int32_t bufferSize, const char* userAgent,
                                   const char* proxy, const char* credentials) {
    return Send({"POST", Text(content), Text(url), connectTimeout, timeOut, buffer, bufferSize, Text(userAgent),
                 Text(proxy), Text(credentials)});
}

std::int32_t WINAPI kx_sendGetRequest(const char* url, std::int32_t connectTimeout, std::int32_t timeOut, char* buffer,
                                      std::int32_t bufferSize, const char* userAgent, const char* proxy,
                                      const char* credentials) {
    return Send({"GET", "", Text(url), connectTimeout, timeOut, buffer, bufferSize, Text(userAgent), Text(proxy),
                 Text(credentials)});
}

}  // extern "C"
