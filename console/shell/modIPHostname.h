#pragma once
#include <string>

// The local host name, which names this machine to the service manager.
namespace modIPHostname {

// The host name; "" after any failure, which has been shown to the user.
std::string GetLocalHostName();

bool SocketsInitialize();
void SocketsCleanup();
int LoByte(int value);
int HiByte(int value);

}  // namespace modIPHostname
