// Stand-in for the proxy daemon. As the service "BrindlecoteVarnholt" it is
// started and stopped by the service control manager; with -D "<conf dir>"
// it runs as a plain process (the Windows 9x way) until it is ended. Every
// start is recorded with the configuration file it reads.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "StandInRecord.h"

namespace {

const char kServiceName[] = "BrindlecoteVarnholt";

SERVICE_STATUS_HANDLE gStatusHandle = nullptr;
HANDLE gStopEvent = nullptr;

std::string ConfFile(const std::string& confDir) {
    return confDir + "\\brindlecote.conf";
}

void RecordStart(const char* how, const std::string& confFile) {
    const bool readable = GetFileAttributesA(confFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    Record(std::string("start ") + how + " conf=" + confFile + (readable ? "" : " (missing)"));
}

void ReportState(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(gStatusHandle, &status);
}

DWORD WINAPI ControlHandler(DWORD control, DWORD, LPVOID, LPVOID) {
    if (control == SERVICE_CONTROL_STOP) {
        ReportState(SERVICE_STOP_PENDING);
        SetEvent(gStopEvent);
    }
    return NO_ERROR;
}

// Tests that need to see the stop-pending state leave a file
// "kx_daemon.stopdelay" beside the program holding the milliseconds to wait.
void LingerWhileStopping() {
    FILE* file = std::fopen((ProgramDirectory() + "\\kx_daemon.stopdelay").c_str(), "rb");
    if (!file) {
        return;
    }
    unsigned milliseconds = 0;
    if (std::fscanf(file, "%u", &milliseconds) == 1) {
        Sleep(milliseconds);
    }
    std::fclose(file);
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
    gStatusHandle = RegisterServiceCtrlHandlerExA(kServiceName, ControlHandler, nullptr);
    gStopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ReportState(SERVICE_RUNNING);
    RecordStart("service", ConfFile(ProgramDirectory() + "\\conf"));
    WaitForSingleObject(gStopEvent, INFINITE);
    LingerWhileStopping();
    Record("stop service");
    ReportState(SERVICE_STOPPED);
}

int Install() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE);
    if (!manager) {
        Record("install failed: no service manager");
        return 1;
    }
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string command = std::string("\"") + path + "\"";
    SC_HANDLE service = CreateServiceA(manager, kServiceName, kServiceName, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       command.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    Record(service ? "install" : "install failed: " + std::to_string(GetLastError()));
    if (service) {
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return service ? 0 : 1;
}

int Uninstall() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, kServiceName, DELETE) : nullptr;
    const bool deleted = service && DeleteService(service);
    Record(deleted ? "uninstall" : "uninstall failed: " + std::to_string(GetLastError()));
    if (service) {
        CloseServiceHandle(service);
    }
    if (manager) {
        CloseServiceHandle(manager);
    }
    return deleted ? 0 : 1;
}

int RunAsProcess(const std::string& confDir) {
    RecordStart("process", ConfFile(confDir));
    Sleep(INFINITE);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    auto arg = [&](int i) {
        char text[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, argv[i], -1, text, sizeof text, nullptr, nullptr);
        return std::string(text);
    };
    const std::string first = argc > 1 ? arg(1) : "";
    if (lstrcmpiA(first.c_str(), "-install") == 0) {
        return Install();
    }
    if (lstrcmpiA(first.c_str(), "-uninstall") == 0) {
        return Uninstall();
    }
    if (lstrcmpiA(first.c_str(), "-D") == 0 && argc > 2) {
        return RunAsProcess(arg(2));
    }
    // The service manager starts the service without arguments; anything
    // else (the console passes "1") is a start by hand.
    if (argc == 1) {
        SERVICE_TABLE_ENTRYA table[] = {{const_cast<char*>(kServiceName), ServiceMain}, {nullptr, nullptr}};
        if (StartServiceCtrlDispatcherA(table)) {
            return 0;
        }
    }
    return RunAsProcess(ProgramDirectory() + "\\conf");
}
