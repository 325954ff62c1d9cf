#include "LocalServer.h"

Winsock::Winsock() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

Winsock::~Winsock() {
    WSACleanup();
}

SOCKET Listen(unsigned short port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 8) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

unsigned short PortOf(SOCKET s) {
    sockaddr_in address{};
    int size = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

unsigned short ClosedPort() {
    const SOCKET s = Listen(0);
    const unsigned short port = PortOf(s);
    closesocket(s);
    return port;
}

bool SendAll(SOCKET s, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int sent = send(s, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
        if (sent <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

std::string ReceiveAll(SOCKET s) {
    std::string bytes;
    char buffer[4096];
    for (int got; (got = recv(s, buffer, sizeof buffer, 0)) > 0;) {
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

std::optional<std::string> ReceiveLine(SOCKET s) {
    std::string line;
    char c;
    while (recv(s, &c, 1, 0) == 1) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return line;
        }
        line += c;
    }
    return std::nullopt;
}

LocalServer::LocalServer(unsigned short port, Handler handler) : listener_(Listen(port)), handler_(std::move(handler)) {
    if (listener_ != INVALID_SOCKET) {
        thread_ = std::thread([this] { Serve(); });
    }
}

LocalServer::~LocalServer() {
    closesocket(listener_);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void LocalServer::Serve() {
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        handler_(client);
        closesocket(client);
    }
}

HttpServer::HttpServer(std::map<std::string, Response> responses)
    : responses_(std::move(responses)), server_(0, [this](SOCKET client) { Answer(client); }) {}

std::vector<std::string> HttpServer::Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void HttpServer::Answer(SOCKET client) {
    std::string head;
    for (std::optional<std::string> line; (line = ReceiveLine(client)) && !line->empty();) {
        head += *line + "\n";
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(head);
    }
    const std::size_t start = head.find(' ') + 1;
    const std::string target = head.substr(start, head.find(' ', start) - start);
    const auto found = responses_.find(target);
    const Response response =
        found != responses_.end() ? found->second : Response{"404 Not Found", "no such page", "12"};
    SendAll(client, "HTTP/1.1 " + response.status + "\r\nContent-Type: application/octet-stream\r\n" +
                        "Content-Length: " + response.lengthHeader + "\r\nConnection: close\r\n\r\n" + response.body);
    shutdown(client, SD_SEND);
}

HttpServer::Response Ok(const std::string& body) {
    return {"200 OK", body, std::to_string(body.size())};
}
