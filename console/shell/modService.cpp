#include "modService.h"

#include <windows.h>

#include "UniqueHandle.h"
#include "modMain.h"

namespace modService {

namespace {

// A service opened with only the rights one request needs, so a user
// without administrator rights can still read the state; the reason an open
// failed goes to the log.
class ServiceHandle {
public:
    ServiceHandle(const std::string& serviceName, const std::string& machineName, DWORD access) {
        const char* machine = machineName.empty() ? nullptr : machineName.c_str();
        manager_.reset(OpenSCManagerA(machine, "ServicesActive", SC_MANAGER_CONNECT));
        if (!manager_.valid()) {
            modMain::WriteConsoleLog("Cannot open the service manager of " + machineName + ": error " +
                                     std::to_string(GetLastError()));
            return;
        }
        service_.reset(OpenServiceA(manager_.get(), serviceName.c_str(), access));
        if (!service_.valid()) {
            const DWORD error = GetLastError();
            modMain::WriteConsoleLog(error == ERROR_SERVICE_DOES_NOT_EXIST
                                         ? "Service " + serviceName + " is not installed"
                                     : error == ERROR_ACCESS_DENIED
                                         ? "Access to service " + serviceName + " denied"
                                         : "Cannot open service " + serviceName + ": error " + std::to_string(error));
        }
    }

    SC_HANDLE get() const { return service_.get(); }

private:
    // The service closes before its manager.
    UniqueHandle<SC_HANDLE, CloseServiceHandle> manager_;
    UniqueHandle<SC_HANDLE, CloseServiceHandle> service_;
};

const char* const kStateTexts[] = {
    "Service Is Stopped",       "Service Start Pending", "Service Stop Pending", "Service Is Running",
    "Service Continue Pending", "Service Pause Pending", "Service Paused",
};

}  // namespace

std::string ServiceStatusText(const std::string& serviceName, const std::string& machineName) {
    ServiceHandle service(serviceName, machineName, SERVICE_QUERY_STATUS);
    if (!service.get()) {
        return "Service Not Found";
    }
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service.get(), &status) || status.dwCurrentState < SERVICE_STOPPED ||
        status.dwCurrentState > SERVICE_PAUSED) {
        return "";
    }
    return kStateTexts[status.dwCurrentState - 1];
}

void ServiceStop(const std::string& serviceName, const std::string& machineName) {
    ServiceHandle service(serviceName, machineName, SERVICE_STOP);
    SERVICE_STATUS status{};
    if (service.get()) {
        ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    }
}

void ServiceStart(const std::string& serviceName, const std::string& machineName) {
    ServiceHandle service(serviceName, machineName, SERVICE_START);
    if (service.get()) {
        StartServiceA(service.get(), 0, nullptr);
    }
}

}  // namespace modService
