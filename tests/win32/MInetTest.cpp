#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CString.h"
#include "LocalServer.h"
#include "MInet.h"

namespace {

// Every byte value, repeated up to the given size.
std::string AllBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 256);
    }
    return bytes;
}

// Compares byte strings without printing kilobytes of binary on a mismatch.
::testing::AssertionResult SameBytes(const std::optional<std::string>& actual, const std::string& expected) {
    if (!actual) {
        return ::testing::AssertionFailure() << "no bytes at all";
    }
    if (*actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto differ = std::mismatch(actual->begin(), actual->end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure() << actual->size() << " bytes instead of " << expected.size()
                                         << ", first difference at offset " << (differ.first - actual->begin());
}

class MInetHttp : public ::testing::Test {
protected:
    Winsock winsock_;
    const std::string data_ = AllBytes(5000) + std::string("\0\r\n\0", 4);
    HttpServer server_{{
        {"/data.bin", Ok(data_)},
        {"/empty.txt", Ok("")},
        {"/gone", {"404 Not Found", "not here", "8"}},
        {"/broken", {"500 Internal Server Error", "oops", "4"}},
        {"/short", {"200 OK", "only ten b", "100"}},
    }};

    std::string Url(const std::string& path) const { return "http://" + server_.Host() + path; }
};

TEST_F(MInetHttp, UrlGetTellsResourceEmptyResourceAndFailureApart) {
    EXPECT_TRUE(SameBytes(MInet::UrlGet(Url("/data.bin")), data_));

    const std::optional<std::string> empty = MInet::UrlGet(Url("/empty.txt"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, "");

    for (const char* failing : {"/gone", "/broken", "/short"}) {
        EXPECT_FALSE(MInet::UrlGet(Url(failing)).has_value()) << failing;
    }
    EXPECT_FALSE(MInet::UrlGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/data.bin").has_value());
}

TEST_F(MInetHttp, RequestsAreFetchedAnewWithTheClassUserAgent) {
    ASSERT_TRUE(MInet::UrlGet(Url("/data.bin")).has_value());
    ASSERT_TRUE(MInet::UrlGet(Url("/data.bin")).has_value());
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const std::string& head : requests) {
        EXPECT_EQ(head.rfind("GET /data.bin HTTP/1.1\n", 0), 0u) << head;
        EXPECT_NE(head.find("User-Agent: Zelbrin CString-Class\n"), std::string::npos) << head;
    }
}

TEST_F(MInetHttp, LoadHTTPJoinsHostAndPathWithOneSlash) {
    CString s;
    s.loadHTTP(server_.Host() + "/", "/data.bin");
    EXPECT_TRUE(SameBytes(s.toString(), data_));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /data.bin ", 0), 0u) << requests[0];
}

TEST_F(MInetHttp, LoadHTTPThatFailsLeavesTheObjectEmpty) {
    for (const char* failing : {"gone", "short"}) {
        CString s;
        s.append("old content");
        s.loadHTTP(server_.Host(), failing);
        EXPECT_EQ(s.length(), 0) << failing;
        EXPECT_EQ(s.getCapacity(), 4096) << failing;
    }
    CString s;
    s.append("old content");
    s.loadHTTP("127.0.0.1:" + std::to_string(ClosedPort()), "data.bin");
    EXPECT_EQ(s.length(), 0);
}

// A small FTP server: logs in anyone, serves and stores files in memory over
// passive data connections.
class FtpServer {
public:
    explicit FtpServer(unsigned short port) : server_(port, [this](SOCKET client) { Converse(client); }) {}

    bool Listening() const { return server_.Listening(); }
    unsigned short Port() const { return server_.Port(); }
    void Put(const std::string& path, const std::string& bytes) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_[path] = bytes;
    }
    std::optional<std::string> File(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto found = files_.find(path);
        return found == files_.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::vector<std::string> Commands() {
        std::lock_guard<std::mutex> lock(mutex_);
        return commands_;
    }

private:
    void Converse(SOCKET control) {
        SOCKET passive = INVALID_SOCKET;
        SendAll(control, "220 ready\r\n");
        for (std::optional<std::string> line; (line = ReceiveLine(control));) {
            const std::string verb = line->substr(0, line->find(' '));
            const std::string argument = line->size() > verb.size() ? line->substr(verb.size() + 1) : "";
            {
                std::lock_guard<std::mutex> lock(mutex_);
                commands_.push_back(*line);
            }
            if (verb == "USER") {
                SendAll(control, "331 password please\r\n");
            } else if (verb == "PASS") {
                SendAll(control, "230 logged in\r\n");
            } else if (verb == "PORT") {
                active_ = Address(argument);
                SendAll(control, "200 ok\r\n");
            } else if (verb == "PASV") {
                closesocket(passive);
                active_.reset();
                passive = Listen(0);
                const unsigned short port = PortOf(passive);
                SendAll(control, "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) + "," +
                                     std::to_string(port % 256) + ")\r\n");
            } else if (verb == "STOR" && argument.rfind("/readonly/", 0) == 0) {
                SendAll(control, "553 not allowed\r\n");
            } else if (verb == "STOR") {
                SendAll(control, "150 send it\r\n");
                const SOCKET data = DataConnection(passive);
                Put(argument, ReceiveAll(data));
                closesocket(data);
                SendAll(control, "226 stored\r\n");
            } else if (verb == "RETR") {
                const std::optional<std::string> file = File(argument);
                if (!file) {
                    SendAll(control, "550 no such file\r\n");
                    continue;
                }
                SendAll(control, "150 here it comes\r\n");
                const SOCKET data = DataConnection(passive);
                SendAll(data, *file);
                closesocket(data);
                SendAll(control, "226 sent\r\n");
            } else if (verb == "SIZE") {
                const std::optional<std::string> file = File(argument);
                SendAll(control, file ? "213 " + std::to_string(file->size()) + "\r\n" : "550 no such file\r\n");
            } else if (verb == "PWD") {
                SendAll(control, "257 \"/\"\r\n");
            } else if (verb == "QUIT") {
                SendAll(control, "221 bye\r\n");
                break;
            } else if (verb == "TYPE" || verb == "CWD" || verb == "MODE" || verb == "STRU") {
                SendAll(control, "200 ok\r\n");
            } else {
                SendAll(control, "502 not here\r\n");
            }
        }
        closesocket(passive);
    }

    // "h1,h2,h3,h4,p1,p2" of a PORT command.
    static sockaddr_in Address(const std::string& argument) {
        unsigned h1, h2, h3, h4, p1, p2;
        std::sscanf(argument.c_str(), "%u,%u,%u,%u,%u,%u", &h1, &h2, &h3, &h4, &p1, &p2);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl((h1 << 24) | (h2 << 16) | (h3 << 8) | h4);
        address.sin_port = htons(static_cast<unsigned short>(p1 * 256 + p2));
        return address;
    }

    // The client's data connection: to the address it gave (active mode) or
    // from it to our passive listener.
    SOCKET DataConnection(SOCKET passive) {
        if (!active_) {
            return accept(passive, nullptr, nullptr);
        }
        const SOCKET data = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        connect(data, reinterpret_cast<const sockaddr*>(&*active_), sizeof *active_);
        return data;
    }

    std::optional<sockaddr_in> active_;
    std::mutex mutex_;
    std::map<std::string, std::string> files_;
    std::vector<std::string> commands_;
    LocalServer server_;
};

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(MInetFtp, LoadFTPDownloadsWithTheLoginInTheUrl) {
    Winsock winsock;
    FtpServer server(0);
    ASSERT_TRUE(server.Listening());
    const std::string bytes = AllBytes(3000);
    server.Put("/pub/file.bin", bytes);
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());

    CString s;
    s.loadFTP(host + "/", "me", "secret", "/pub/file.bin");
    EXPECT_TRUE(SameBytes(s.toString(), bytes));
    const std::vector<std::string> commands = server.Commands();
    EXPECT_TRUE(Contains(commands, "USER me"));
    EXPECT_TRUE(Contains(commands, "PASS secret"));

    s.loadFTP(host, "me", "secret", "pub/missing.bin");
    EXPECT_EQ(s.length(), 0);
}

// Uploads go to the standard FTP port; the server there is ours only when
// that port is free to take.
class MInetFtpPut : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server_.Listening()) {
            GTEST_SKIP() << "the FTP port is in use or not ours to take";
        }
    }
    Winsock winsock_;
    FtpServer server_{21};
};

TEST_F(MInetFtpPut, UploadsEveryByteInWholeChunksAndTheRest) {
    for (const std::size_t size : {std::size_t{40000}, std::size_t{32768}, std::size_t{0}, std::size_t{100}}) {
        const std::string bytes = AllBytes(size);
        CString content;
        content.append(bytes);
        const std::string path = "/up/" + std::to_string(size) + ".bin";
        ASSERT_TRUE(MInet::FtpPut("127.0.0.1", "me", "secret", path, content)) << size;
        EXPECT_TRUE(SameBytes(server_.File(path), bytes)) << size;
    }
    const std::vector<std::string> commands = server_.Commands();
    EXPECT_TRUE(Contains(commands, "USER me"));
    EXPECT_TRUE(Contains(commands, "TYPE A"));
    EXPECT_TRUE(Contains(commands, "PASV"));
}

TEST_F(MInetFtpPut, RefusedRemoteFileReportsFalse) {
    CString content;
    content.append("data");
    EXPECT_FALSE(MInet::FtpPut("127.0.0.1", "me", "secret", "/readonly/a.txt", content));
    EXPECT_FALSE(server_.File("/readonly/a.txt").has_value());
}

TEST_F(MInetFtpPut, SaveFTPLogsInAnonymouslyAndRootsThePath) {
    CString content;
    content.append("hello");
    ASSERT_TRUE(content.saveFTP("127.0.0.1", "", "", "up/hello.txt"));
    EXPECT_EQ(server_.File("/up/hello.txt"), "hello");
    EXPECT_TRUE(Contains(server_.Commands(), "USER ftp"));
}

bool Reachable(unsigned short port) {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool reached = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    closesocket(s);
    return reached;
}

// With nothing listening on the FTP port, an upload fails cleanly.
TEST(MInetFtpFailure, UploadToAClosedPortReportsFalse) {
    Winsock winsock;
    if (Reachable(21)) {
        GTEST_SKIP() << "an FTP server runs on this machine";
    }
    CString content;
    content.append("data");
    EXPECT_FALSE(MInet::FtpPut("127.0.0.1", "me", "secret", "/a.txt", content));
    EXPECT_FALSE(content.saveFTP("127.0.0.1", "", "", "a.txt"));
}

}  // namespace
