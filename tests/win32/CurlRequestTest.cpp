#include "UpgradeTestFixture.h"

#include "CurlRequest.h"

namespace {

class CurlRequestTest : public UpgradeFixture {
protected:
    HttpServer server_{{
        {"/win/brindlecote//ucversion.txt", Ok("version=4.1.7\r\n")},
        {"/post", Ok("taken")},
    }};

    std::string OnlyRequest(HttpServer& server) {
        const auto requests = server.Requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? "" : requests[0];
    }
    static std::string RequestLine(const std::string& head) { return head.substr(0, head.find('\n')); }
    static bool Has(const std::string& head, const std::string& header) {
        return head.find(header + "\n") != std::string::npos;
    }
};

TEST_F(CurlRequestTest, JoinsHostAndPathAsTheyAreAndKeepsTheWholeBuffer) {
    CurlRequest request;
    request.bufferSize(100);
    request.GetRequest(server_.Host() + "/win/brindlecote/", 80, false, "/ucversion.txt");
    EXPECT_EQ(request.errorCode(), 0);
    EXPECT_EQ(request.Response(), "version=4.1.7\r\n" + std::string(85, '\0'));
    const std::string head = OnlyRequest(server_);
    EXPECT_EQ(RequestLine(head), "GET /win/brindlecote//ucversion.txt HTTP/1.1") << "the doubled slash stays";
    EXPECT_TRUE(Has(head, std::string("User-Agent: KXVarnholt") + TEST_PROGRAM_VERSION)) << head;
}

TEST_F(CurlRequestTest, PostSendsTheContentWithItsOwnUserAgent) {
    CurlRequest request;
    request.Content("a=1");
    request.bufferSize(20);
    request.Post(server_.Host(), 80, false, "/post", "ignored", "ignored");
    EXPECT_EQ(request.errorCode(), 0);
    EXPECT_EQ(request.Response(), "taken" + std::string(15, '\0'));
    const std::string head = OnlyRequest(server_);
    EXPECT_EQ(RequestLine(head), "POST /post HTTP/1.1");
    EXPECT_TRUE(Has(head, std::string("User-Agent: KXOutlook") + TEST_PROGRAM_VERSION)) << head;
    EXPECT_TRUE(Has(head, "Content-Length: 3")) << head;
}

TEST_F(CurlRequestTest, TheProxySettingsApplyOnlyWhenTheProxyIsOn) {
    HttpServer proxy{{}};
    const struct {
        bool useProxy;
        const char* user;
        bool viaProxy;
        const char* authorization;  // the header the proxy gets, "" for none
    } cases[] = {
        {true, "me", true, "Proxy-Authorization: Basic bWU6cHc="},  // me:pw
        {true, "", true, ""},
        {false, "me", false, ""},
    };
    for (const auto& c : cases) {
        modMain::gUseProxy = c.useProxy;
        modMain::gProxyServer = "127.0.0.1";
        modMain::gProxyPort = std::to_string(proxy.Port());
        modMain::gProxyUser = c.user;
        modMain::gProxyPassword = "pw";
        const std::size_t before = proxy.Requests().size() + server_.Requests().size();
        CurlRequest request;
        request.GetRequest(server_.Host(), 80, false, "/win/brindlecote//ucversion.txt");
        ASSERT_EQ(proxy.Requests().size() + server_.Requests().size(), before + 1) << c.user;
        if (!c.viaProxy) {
            EXPECT_EQ(request.errorCode(), 0);
            EXPECT_FALSE(Has(server_.Requests().back(), "Proxy-Authorization: Basic bWU6cHc="));
            continue;
        }
        const std::string head = proxy.Requests().back();
        EXPECT_EQ(RequestLine(head).rfind("GET http://" + server_.Host() + "/win/brindlecote//ucversion.txt", 0), 0u)
            << head;
        EXPECT_EQ(head.find("Proxy-Authorization") != std::string::npos, *c.authorization != '\0') << head;
        if (*c.authorization) {
            EXPECT_TRUE(Has(head, c.authorization)) << head;
        }
    }
}

TEST_F(CurlRequestTest, SecureRequestsUseHttps) {
    // Through a proxy an https request opens a tunnel, which shows the scheme.
    HttpServer proxy{{}};
    modMain::gUseProxy = true;
    modMain::gProxyServer = "127.0.0.1";
    modMain::gProxyPort = std::to_string(proxy.Port());
    CurlRequest request;
    request.GetRequest("update.example", 80, true, "/v.txt");
    EXPECT_NE(request.errorCode(), 0) << "the proxy refuses the tunnel";
    EXPECT_EQ(RequestLine(OnlyRequest(proxy)).rfind("CONNECT update.example:443 ", 0), 0u);
}

TEST_F(CurlRequestTest, AFailedTransferLeavesItsCodeAndAnEmptyBuffer) {
    CurlRequest request;
    request.bufferSize(10);
    request.GetRequest(server_.Host(), 80, false, "/win/brindlecote//ucversion.txt");
    EXPECT_EQ(request.errorCode(), 23) << "the body does not fit";
    request.GetRequest("127.0.0.1:" + std::to_string(ClosedPort()), 80, false, "/v.txt");
    EXPECT_EQ(request.errorCode(), 7);
    EXPECT_EQ(request.Response(), std::string(10, '\0'));
    request.GetRequest("no-such-host.invalid", 80, false, "/v.txt");
    EXPECT_EQ(request.errorCode(), 6);
}

}  // namespace
