#include <windows.h>

#include "CurlRequest.h"
#include "LogTrap.h"
#include "ObjectError.h"
#include "modFileVersionInfo.h"
#include "modMain.h"

namespace {

using SendRequest = std::int32_t(WINAPI*)(const char*, const char*, std::int32_t, std::int32_t, char*, std::int32_t,
                                          const char*, const char*, const char*);
using SendGetRequest = std::int32_t(WINAPI*)(const char*, std::int32_t, std::int32_t, char*, std::int32_t, const char*,
                                             const char*, const char*);

const char kLibrary[] = "morrowget.dll";

using AnyFunction = void (*)();

// The library's function of that name; the library is loaded once, at the
// first request, and stays for the life of the program.
AnyFunction LibraryFunction(const char* name) {
    static HMODULE library = nullptr;
    if (library == nullptr) {
        library = LoadLibraryA(kLibrary);
    }
    if (library == nullptr) {
        throw ObjectError(53, "CurlRequest", std::string("File not found: ") + kLibrary);
    }
    FARPROC function = GetProcAddress(library, name);
    if (function == nullptr) {
        throw ObjectError(453, "CurlRequest", std::string("Can't find DLL entry point ") + name + " in " + kLibrary);
    }
    return reinterpret_cast<AnyFunction>(function);
}

}  // namespace

CurlRequest::Texts CurlRequest::Prepare(const std::string& agentName, const std::string& host, bool secure,
                                        const std::string& path) {
    response_.assign(static_cast<std::size_t>(bufferSize_ > 0 ? bufferSize_ : 0), '\0');
    Texts texts;
    texts.url = std::string("http") + (secure ? "s" : "") + "://" + host + path;
    texts.userAgent = agentName + modFileVersionInfo::OwnVersion();
    if (modMain::gUseProxy) {
        texts.proxy = modMain::gProxyServer + ":" + modMain::gProxyPort;
        if (!modMain::gProxyUser.empty()) {
            texts.credentials = modMain::gProxyUser + ":" + modMain::gProxyPassword;
        }
    }
    return texts;
}

void CurlRequest::GetRequest(const std::string& host, std::int32_t, bool secure, const std::string& path) {
    LogTrap::Trap("CurlGet() Error : ", " ", [&] {
        const Texts texts = Prepare("KXVarnholt", host, secure, path);
        const auto send = reinterpret_cast<SendGetRequest>(LibraryFunction("kx_sendGetRequest"));
        errorCode_ = send(texts.url.c_str(), connectTimeout_, timeOut_, response_.data(), bufferSize_,
                          texts.userAgent.c_str(), texts.proxy.c_str(), texts.credentials.c_str());
    });
}

void CurlRequest::Post(const std::string& host, std::int32_t, bool secure, const std::string& path, const std::string&,
                       const std::string&) {
    const Texts texts = Prepare("KXOutlook", host, secure, path);
    SendRequest send = nullptr;
    try {
        send = reinterpret_cast<SendRequest>(LibraryFunction("kx_sendRequest"));
    } catch (const ObjectError&) {
        throw ObjectError(static_cast<std::int32_t>(GetLastError()), "CurlRequest", "CurlSendRequest failed");
    }
    errorCode_ = send(content_.c_str(), texts.url.c_str(), connectTimeout_, timeOut_, response_.data(), bufferSize_,
                      texts.userAgent.c_str(), texts.proxy.c_str(), texts.credentials.c_str());
}
