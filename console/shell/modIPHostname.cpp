#include "modIPHostname.h"

#include <winsock2.h>

#include "MsgBox.h"
#include "ProgramTitle.h"

namespace modIPHostname {

namespace {

void Tell(const std::string& text) {
    MsgBox(text, MsgBoxStyle::OKOnly, ProgramTitle());
}

}  // namespace

int LoByte(int value) {
    return value & 0xFF;
}

int HiByte(int value) {
    return (value >> 8) & 0xFF;
}

bool SocketsInitialize() {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        Tell("The 32-bit Windows Socket is not responding.");
        return false;
    }
    // Sockets 2 and later no longer count sockets and report 0; only a
    // version 1 implementation's count means anything.
    if (LoByte(data.wHighVersion) < 2 && data.iMaxSockets < 1) {
        Tell("This application requires a minimum of 1 supported sockets.");
        return false;
    }
    const int major = LoByte(data.wVersion);
    const int minor = HiByte(data.wVersion);
    if (major < 1 || (major == 1 && minor < 1)) {
        Tell("Sockets version " + std::to_string(major) + "." + std::to_string(minor) +
             " is not supported by 32-bit Windows Sockets.");
        return false;
    }
    return true;
}

void SocketsCleanup() {
    if (WSACleanup() != 0) {
        Tell("Socket error occurred in Cleanup.");
    }
}

std::string GetLocalHostName() {
    if (!SocketsInitialize()) {
        return "";
    }
    char buffer[256] = "";
    std::string name;
    if (gethostname(buffer, sizeof buffer) != 0) {
        Tell("Windows Sockets error " + std::to_string(WSAGetLastError()) +
             " has occurred. Unable to successfully get Host Name.");
    } else {
        buffer[sizeof buffer - 1] = '\0';
        name = buffer;
    }
    SocketsCleanup();
    return name;
}

}  // namespace modIPHostname
