#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "LocalServer.h"
#include "ProcessDriver.h"

namespace {

using SendGetRequest = std::int32_t(WINAPI*)(const char*, std::int32_t, std::int32_t, char*, std::int32_t, const char*,
                                             const char*, const char*);
using SendRequest = std::int32_t(WINAPI*)(const char*, const char*, std::int32_t, std::int32_t, char*, std::int32_t,
                                          const char*, const char*, const char*);
using AnyFunction = void (*)();

// The library as the console loads it, from the program directory.
class Morrowget : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = LoadLibraryA(DistPath("morrowget.dll").c_str());
        ASSERT_NE(library_, nullptr);
        get_ = reinterpret_cast<SendGetRequest>(
            reinterpret_cast<AnyFunction>(GetProcAddress(library_, "kx_sendGetRequest")));
        post_ =
            reinterpret_cast<SendRequest>(reinterpret_cast<AnyFunction>(GetProcAddress(library_, "kx_sendRequest")));
        ASSERT_NE(get_, nullptr);
        ASSERT_NE(post_, nullptr);
    }
    void SetUp() override { SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", nullptr); }
    void TearDown() override { SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", nullptr); }

    struct Answer {
        std::int32_t code;
        std::string buffer;
    };
    // A GET with a buffer of that size, zero-filled as the caller hands it in.
    static Answer Get(const std::string& url, std::int32_t size = 100, const std::string& proxy = "",
                      const std::string& credentials = "", std::int32_t connect = 5, std::int32_t overall = 10) {
        std::string buffer(static_cast<std::size_t>(size), '\0');
        const std::int32_t code = get_(url.c_str(), connect, overall, buffer.data(), size, "TestAgent1.2.3",
                                       proxy.c_str(), credentials.c_str());
        return {code, buffer};
    }

    Winsock winsock_;
    HttpServer server_{{
        {"/win/brindlecote//ucversion.txt", Ok("version=4.1.7\r\n")},
        {"/long.txt", Ok(std::string(150, 'x'))},
        {"/exact.txt", Ok(std::string(99, 'y'))},
        {"/gone", {"404 Not Found", "not here", "8"}},
        {"/post", Ok("posted")},
    }};
    std::string Url(const std::string& path) const { return "http://" + server_.Host() + path; }

    static HMODULE library_;
    static SendGetRequest get_;
    static SendRequest post_;
};

HMODULE Morrowget::library_ = nullptr;
SendGetRequest Morrowget::get_ = nullptr;
SendRequest Morrowget::post_ = nullptr;

TEST_F(Morrowget, WritesTheBodyAtTheFrontOfTheBufferAndSendsTheRequestAsGiven) {
    const Answer answer = Get(Url("/win/brindlecote//ucversion.txt"));
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.buffer, "version=4.1.7\r\n" + std::string(85, '\0'));
    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /win/brindlecote//ucversion.txt HTTP/1.1\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: TestAgent1.2.3\n"), std::string::npos) << requests[0];
    EXPECT_EQ(requests[0].find("Proxy-Authorization"), std::string::npos) << requests[0];
}

TEST_F(Morrowget, ABodyThatFillsTheBufferIsCutAndReportedAsFailure) {
    const Answer exact = Get(Url("/exact.txt"));
    EXPECT_EQ(exact.code, 0) << "99 characters and the terminating 0 fit";
    EXPECT_EQ(exact.buffer, std::string(99, 'y') + '\0');

    const Answer longer = Get(Url("/long.txt"));
    EXPECT_NE(longer.code, 0);
    EXPECT_EQ(longer.buffer, std::string(99, 'x') + '\0') << "never written past the buffer, always ended";
}

TEST_F(Morrowget, FailuresGiveTheirResultCodesAndLeaveTheBufferEmpty) {
    const struct {
        std::string url;
        std::string proxy;
        std::int32_t code;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(ClosedPort()) + "/a.txt", "", 7},
        {"http://no-such-host.invalid/a.txt", "", 6},
        {Url("/a.txt"), "no-such-proxy.invalid:8080", 5},
        {Url("/a.txt"), "127.0.0.1:" + std::to_string(ClosedPort()), 7},
        {Url("/gone"), "", 22},
    };
    for (const auto& c : cases) {
        const Answer answer = Get(c.url, 100, c.proxy);
        EXPECT_EQ(answer.code, c.code) << c.url << " via " << c.proxy;
        EXPECT_EQ(answer.buffer, std::string(100, '\0')) << c.url;
    }
}

TEST_F(Morrowget, AServerThatNeverAnswersEndsInTheTimeLimit) {
    const SOCKET silent = Listen(0);  // accepts connections, never answers
    ASSERT_NE(silent, INVALID_SOCKET);
    const ULONGLONG start = GetTickCount64();
    const Answer answer = Get("http://127.0.0.1:" + std::to_string(PortOf(silent)) + "/a.txt", 100, "", "", 2, 3);
    const ULONGLONG took = GetTickCount64() - start;
    closesocket(silent);
    EXPECT_EQ(answer.code, 28);
    EXPECT_LT(took, 8000u) << "a 3 s limit";
}

TEST_F(Morrowget, AProxyGetsTheWholeUrlAndTheCredentials) {
    // The proxy may be asked with or without the default port in the URL.
    HttpServer proxy{{{"http://update.example/win/v.txt", Ok("version=5.0.0\r\n")},
                      {"http://update.example:80/win/v.txt", Ok("version=5.0.0\r\n")}}};
    const Answer answer = Get("http://update.example/win/v.txt", 100, proxy.Host(), "me:s3cret");
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.buffer.substr(0, 16), std::string("version=5.0.0\r\n\0", 16));
    const auto requests = proxy.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string line = requests[0].substr(0, requests[0].find('\n'));
    EXPECT_TRUE(line == "GET http://update.example/win/v.txt HTTP/1.1" ||
                line == "GET http://update.example:80/win/v.txt HTTP/1.1")
        << line;
    // base64 of "me:s3cret"
    EXPECT_NE(requests[0].find("Proxy-Authorization: Basic bWU6czNjcmV0\n"), std::string::npos) << requests[0];
}

TEST_F(Morrowget, TheHostOverrideTakesThePlaceOfTheUrlsHost) {
    SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", server_.Host().c_str());
    const Answer answer = Get("http://update.tessavane.example/win/brindlecote//ucversion.txt");
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.buffer.substr(0, 13), "version=4.1.7");
}

TEST_F(Morrowget, SendRequestPostsTheContent) {
    std::string buffer(50, '\0');
    const std::int32_t code = post_("a=1&b=2", Url("/post").c_str(), 5, 10, buffer.data(), 50, "Poster", "", "");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(buffer.substr(0, 7), std::string("posted\0", 7));
    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("POST /post HTTP/1.1\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("Content-Length: 7\n"), std::string::npos) << requests[0];
}

TEST_F(Morrowget, ABufferItCannotWriteIsRefused) {
    EXPECT_NE(get_(Url("/exact.txt").c_str(), 5, 10, nullptr, 100, "", "", ""), 0);
    char one[1] = {'\0'};
    EXPECT_NE(get_(Url("/exact.txt").c_str(), 5, 10, one, 0, "", "", ""), 0);
    EXPECT_EQ(one[0], '\0');
}

}  // namespace
