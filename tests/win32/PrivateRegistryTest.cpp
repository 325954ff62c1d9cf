// The registry roots of the window tests' executables: they start empty, the
// process reads back what it writes, and a program it starts, which sees the
// real registry, finds none of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ProcessDriver.h"

namespace {

const char kProbeKey[] = "Software\\Private registry probe";

DWORD SubkeyCount(HKEY root) {
    DWORD count = 0;
    RegQueryInfoKeyA(root, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    return count;
}

// The exit code of the system's reg.exe asked for the probe value under that
// root: 0 when it finds it, 1 when it does not.
DWORD RealRegistryQuery(const std::string& root) {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    ChildProcess reg(std::string(system) + "\\reg.exe", "query \"" + root + "\\" + kProbeKey + "\" /v probe");
    DWORD code = 0xFFFFFFFF;
    EXPECT_TRUE(reg.WaitForExit(20000, &code));
    return code;
}

TEST(PrivateRegistry, RootsStartEmptyHoldWhatTheProcessWritesAndStayOutOfTheRealRegistry) {
    const struct {
        HKEY root;
        const char* name;
    } roots[] = {{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}};
    for (const auto& r : roots) {
        EXPECT_EQ(SubkeyCount(r.root), 0u) << r.name;
        ASSERT_EQ(RegSetKeyValueA(r.root, kProbeKey, "probe", REG_SZ, "yes", 4), ERROR_SUCCESS) << r.name;
        char text[8] = "";
        DWORD size = sizeof text;
        EXPECT_EQ(RegGetValueA(r.root, kProbeKey, "probe", RRF_RT_REG_SZ, nullptr, text, &size), ERROR_SUCCESS);
        EXPECT_STREQ(text, "yes") << r.name;
        EXPECT_EQ(RealRegistryQuery(r.name), 1u) << r.name;
    }
}

}  // namespace
