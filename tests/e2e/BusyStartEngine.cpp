// Test stand-in for the scoring engine, laid out as fendrake.dll: while it
// starts (KX_initialize), the console saves the blocked-senders list, as it
// may while a real engine takes its time. The other calls do nothing.
#include <cstdint>
#include <fstream>
#include <string>

namespace {
std::string gConfDir;
}

extern "C" {

__declspec(dllexport) std::int32_t KX_constructor(const char*, const char* confDir) {
    gConfDir = confDir;
    return 1;
}

__declspec(dllexport) std::int32_t KX_initialize(std::int32_t) {
    std::ofstream(gConfDir + "\\blocked_senders", std::ios::binary | std::ios::app) << "console@saved.example\r\n";
    return 0;
}

__declspec(dllexport) std::int32_t KX_getSpamAddrFrom(std::int32_t, char*, std::int32_t*) {
    return 0;
}
__declspec(dllexport) std::int32_t KX_addSpamAddrFrom(std::int32_t, char*, std::int32_t, std::int32_t) {
    return 0;
}
__declspec(dllexport) std::int32_t KX_addSpamAddrTo(std::int32_t, char*, std::int32_t, std::int32_t) {
    return 0;
}
__declspec(dllexport) std::int32_t KX_addMessage2(std::int32_t, const char*, std::int32_t, std::int32_t) {
    return 0;
}
__declspec(dllexport) std::int32_t KX_getOption(std::int32_t, const char*, char*, std::int32_t*) {
    return 0;
}
__declspec(dllexport) std::int32_t KX_destructor(std::int32_t) {
    return 0;
}

}  // extern "C"
