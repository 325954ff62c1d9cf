#pragma once
#include <winsock2.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Servers that a Windows test runs itself on 127.0.0.1, each connection
// handled on a thread of the server's own.

// Windows Sockets for as long as the object lives.
class Winsock {
public:
    Winsock();
    ~Winsock();
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
};

// A listening socket on 127.0.0.1; port 0 takes any free port.
SOCKET Listen(unsigned short port);
unsigned short PortOf(SOCKET s);
// A port that nobody listens on: taken, then given back.
unsigned short ClosedPort();
bool SendAll(SOCKET s, const std::string& bytes);
// Everything the peer sends until it closes.
std::string ReceiveAll(SOCKET s);
// One line ending in CR LF (without it); nothing when the peer has gone.
std::optional<std::string> ReceiveLine(SOCKET s);

// A server on 127.0.0.1 that hands each connection, one at a time, to its
// handler on a thread of its own; stopped and joined when it goes.
class LocalServer {
public:
    using Handler = std::function<void(SOCKET)>;

    LocalServer(unsigned short port, Handler handler);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    bool Listening() const { return listener_ != INVALID_SOCKET; }
    unsigned short Port() const { return PortOf(listener_); }

private:
    void Serve();

    SOCKET listener_;
    Handler handler_;
    std::thread thread_;
};

// An HTTP server with fixed responses by request target (the path, or the
// whole URL of a request made through a proxy); it records each request head.
class HttpServer {
public:
    struct Response {
        std::string status;
        std::string body;
        std::string lengthHeader;  // the Content-Length value sent
    };

    explicit HttpServer(std::map<std::string, Response> responses);

    std::string Host() const { return "127.0.0.1:" + std::to_string(server_.Port()); }
    unsigned short Port() const { return server_.Port(); }
    std::vector<std::string> Requests();

private:
    void Answer(SOCKET client);

    std::map<std::string, Response> responses_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    LocalServer server_;
};

// A 200 response with that body.
HttpServer::Response Ok(const std::string& body);
