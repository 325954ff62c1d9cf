#pragma once
#include <cstdint>
#include <string>

// The console's HTTP client: builds the URL, user agent, proxy and proxy
// credentials from its fields and the console's proxy settings, and hands the
// request to the HTTP library morrowget.dll, loaded at the first request.
class CurlRequest {
public:
    // The whole response buffer: the body at the front, then code-0 characters.
    const std::string& Response() const { return response_; }
    void Content(const std::string& content) { content_ = content; }
    const std::string& Content() const { return content_; }
    // The library's result code of the last request it answered; 0 = success.
    std::int32_t errorCode() const { return errorCode_; }
    void TimeOut(std::int32_t seconds) { timeOut_ = seconds; }
    void connectTimeout(std::int32_t seconds) { connectTimeout_ = seconds; }
    void bufferSize(std::int32_t size) { bufferSize_ = size; }

    // A request with Content as its body; the port and the last two
    // arguments are accepted and ignored. Raises an error when the library
    // cannot be called.
    void Post(const std::string& host, std::int32_t port, bool secure, const std::string& path,
              const std::string& unused1, const std::string& unused2);
    // A GET of host followed by path (joined as they are; the port is
    // ignored). When the library cannot be called, the failure is logged and
    // errorCode keeps its value.
    void GetRequest(const std::string& host, std::int32_t port, bool secure, const std::string& path);

private:
    struct Texts {
        std::string url;
        std::string userAgent;
        std::string proxy;
        std::string credentials;
    };
    Texts Prepare(const std::string& agentName, const std::string& host, bool secure, const std::string& path);

    std::string content_;
    std::string response_;
    std::int32_t timeOut_ = 300;
    std::int32_t connectTimeout_ = 10;
    std::int32_t errorCode_ = 0;
    std::int32_t bufferSize_ = 80000;
};
