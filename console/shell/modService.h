#pragma once
#include <string>

// Control of the daemon's service on the NT family.
namespace modService {

// "Service Is Running" and the other state texts; "Service Not Found" when
// the service cannot be opened; "" when its status cannot be read.
std::string ServiceStatusText(const std::string& serviceName, const std::string& machineName);

// Asks the service to stop; does not wait.
void ServiceStop(const std::string& serviceName, const std::string& machineName);

// Asks the service manager to start the service; does not wait.
void ServiceStart(const std::string& serviceName, const std::string& machineName);

}  // namespace modService
