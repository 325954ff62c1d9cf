#pragma once
// The console's start-up run in the test's own process, over a seeded
// configuration file in the conf directory beside the test.
#include <optional>
#include <string>

#include "ProcessDriver.h"
#include "SettingsWindowFixture.h"

inline constexpr char kOEKey[] = "Software\\Microsoft\\Outlook Express";
inline constexpr char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kSenderDialogKey[] = "Software\\Quenmark\\OE_Plugin\\";
// Keeps the start-up from opening the launcher and the daemon, which the
// test's directory does not hold.
inline constexpr char kPluginOff[] = "enable_oe_plugin=no\r\n";

inline std::string ConsoleLogText() {
    return ReadWholeFile(ProgramPath("console.txt"));
}

inline std::optional<std::string> RegistryText(const char* key, const char* name) {
    char text[1024] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}

inline bool ValueThere(HKEY root, const char* key, const char* name) {
    return RegGetValueA(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class ConsoleStartup : public SettingsWindow {
protected:
    void TearDown() override {
        CloseWindow();
        modMain::gDebugMode = false;
        SettingsWindow::TearDown();
    }

    // The whole start-up over that configuration file, with a fresh log.
    void Start(const std::string& conf) {
        CloseWindow();
        ClearRecords();
        Seed(conf);
        modMain::Main();
        ASSERT_NE(Form().Window(), nullptr) << ConsoleLogText();
    }
};
