#include <windows.h>

#include "AddressList.h"
#include "FileLock.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ProductKey.h"
#include "ProgramTitle.h"
#include "SenderLists.h"
#include "RegOp.h"
#include "Resources.h"
#include "SingleInstance.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "frmAboutTessavane.h"
#include "frmMain.h"
#include "modBringForeground.h"
#include "modMain.h"
#include "modShellExecute.h"

namespace modMain {

namespace {

std::string ConfPath(const std::string& name) {
    return FileSystem::ProgramDirectory() + "\\conf\\" + name;
}

// A numbered step of the object set-up, written only with -debug; nullptr
// for a step that has no number.
void DebugStep(const char* step) {
    if (step != nullptr) {
        WriteConsoleLog(step, true);
    }
}

// An old list file of an earlier release becomes the new one, unless a
// newer list is already there, and is kept aside as a backup (replacing
// an older backup). The new list appears whole or not at all: a start cut
// short mid-copy must not leave a torn list that the next start keeps.
bool MigrateList(const std::string& oldName, const std::string& newName) {
    const std::string old = ConfPath(oldName);
    if (!FileSystem::FileExists(old)) {
        return false;
    }
    // The scanner may write the new list meanwhile; it is never copied over.
    const FileLock lock(ConfPath(newName));
    if (!FileSystem::FileExists(ConfPath(newName))) {
        FileSystem::CopyIntoPlace(old, ConfPath(newName));
    }
    FileSystem::AtomicReplace(old, ConfPath(oldName + ".kxbak"));
    return true;
}

// The debug steps a list's set-up logs: after creating the list, after
// pointing it at its file and after loading it (nullptr: none).
struct ListSteps {
    const char* created;
    const char* located;
    const char* loaded;
};

// Also records the file's time as the list's stamp.
std::shared_ptr<AddressList> LoadList(SenderList which, const ListSteps& steps) {
    auto list = std::make_shared<AddressList>();
    DebugStep(steps.created);
    list->FileLocation(SenderLists::FilePath(which));
    DebugStep(steps.located);
    list->Load();
    DebugStep(steps.loaded);
    SenderLists::RecordStamp(which);
    return list;
}

int WholeNumberOrZero(const std::string& text) {
    try {
        std::size_t used = 0;
        const int number = std::stoi(TrimSpaces(text), &used);
        return used == TrimSpaces(text).size() ? number : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

// "UsingOE" = "1", left by the installer, turns the mail-store scan on once:
// it stays until the file says so, or the request would be lost.
void ApplyUsingOE() {
    ProductKey product;
    if (product.Value("UsingOE").ToText() == "1") {
        gProxyConf->SetValue("oe_scan", "yes");
        if (gProxyConf->WriteValue("oe_scan", "yes")) {
            product.DeleteValue("UsingOE");
        }
    }
}

bool ScanWanted() {
    const std::string scan = gProxyConf->GetValue("oe_scan").ToText();
    return SettingsReadable() && (scan == "yes" || scan.empty());
}

void StartLauncherAndDaemon() {
    if (!SettingsReadable()) {
        return;
    }
    std::uint32_t id = 0;
    const bool launcherRuns = IsProcessRunning("Launcher", id);
    if (gProxyConf->GetValue("enable_oe_plugin").ToText() != "no" && !launcherRuns) {
        const std::string directory = FileSystem::ProgramDirectory();
        modShellExecute::ShellOpen("Launcher.exe", "1", directory);
        modShellExecute::ShellOpen("kx_daemon.exe", "1", directory);
    }
}

}  // namespace

std::string CommandLineArguments() {
    // The program's own name comes first, quoted or not.
    const std::string line = GetCommandLineA();
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        at = line.find('"', 1);
        at = at == std::string::npos ? line.size() : at + 1;
    } else {
        at = line.find(' ');
        at = at == std::string::npos ? line.size() : at;
    }
    return line.substr(at);
}

int OEVersion() {
    int version = 5;
    LogTrap::Trap("OEVersion() Error ", " : ", [&] {
        RegOp key;
        key.root(HKEY_LOCAL_MACHINE);
        key.key("Software\\Microsoft\\Outlook Express");
        const std::string media = key.Value("MediaVer").ToText();
        if (media.empty()) {
            return;
        }
        if (media[0] < '0' || media[0] > '9') {
            throw ObjectError(13, "OEVersion", "Type mismatch");
        }
        version = media[0] - '0';
    });
    return version;
}

bool InitializeObjects() {
    bool result = false;
    LogTrap::Trap("InitializeObjects Error ", " : ", [&] {
        gProxyConf = std::make_shared<KXProxyConf>();
        DebugStep("1");
        const std::string confFile = ConfPath(LoadResText(kStrConfFile));
        gProxyConf->ConfigurationFile(confFile);
        if (!gProxyConf->FileExists(confFile)) {
            WriteConsoleLog(confFile + " does not exist");
            return;
        }
        gProxyConf->Load();
        DebugStep("2");
        DebugStep("3");
        if (MigrateList("approvedsenders", SenderLists::FileName(SenderList::Approved))) {
            DebugStep("4");
        }
        DebugStep("5");
        gApprovedSenders = LoadList(SenderList::Approved, {"6", "7", "8"});
        DebugStep("9");
        if (MigrateList("blockedsenders", SenderLists::FileName(SenderList::Blocked))) {
            DebugStep("10");
        }
        DebugStep("11");
        gBlockedSenders = LoadList(SenderList::Blocked, {"12", "13", "14"});
        DebugStep("15");
        gIgnoredSenders = LoadList(SenderList::Ignored, {nullptr, nullptr, nullptr});
        DebugStep("16");
        gToMeAddresses = LoadList(SenderList::ToMe, {"17", "18", "19"});
        DebugStep("20");
        std::string host;
        if (gProxyConf->GetValue("use_internal_rpc").ToText() == "yes") {
            host = LoadResText(kStrInternalHost);
        } else {
            DebugStep("21");
            host = LoadResText(kStrPublicHost);
        }
        gBaseURL = "http://" + host;
        DebugStep("22");
        LoadProxyCredentials();
        DebugStep("23");
        gProxyServer = gProxyConf->GetValue("proxy_server").ToText();
        DebugStep("24");
        gProxyPort = gProxyConf->GetValue("proxy_port").ToText();
        DebugStep("25");
        result = true;
        DebugStep("26");
    });
    return result;
}

bool SettingsReadable() {
    return gProxyConf && gProxyConf->LoadedAsText();
}

void ReleaseObjects() {
    gProxyConf.reset();
    gApprovedSenders.reset();
    gBlockedSenders.reset();
    gIgnoredSenders.reset();
    gToMeAddresses.reset();
}

void Main() {
    if (SingleInstance::AnotherInstanceRuns("Local\\BrindlecoteVarnholtAdminConsole")) {
        modBringForeground::FindPreviousInstanceWindow();
        modBringForeground::ForceForegroundWindow(modBringForeground::gPrevInstanceWindow);
        return;
    }
    LogTrap::Trap("Main() : Error ", " : ", [] {
        WriteConsoleLog("Admin Console Startup");
        gPlatformId = GetOSVersion();
        gInstallMode = false;
        gHideMainWindow = false;
        const std::string arguments = CommandLineArguments();
        if (GetArgCount(arguments) > 0) {
            ParseSwitches(arguments);
        }
        WriteVersionReport();
        if (!InitializeObjects()) {
            MsgBox(LoadResText(kStrInitFailed), MsgBoxStyle::OKOnly, ProgramTitle());
            return;
        }
        gDebugVerboseLevel = WholeNumberOrZero(gProxyConf->GetValue("dbg_verbose_level").ToText());
        gOEMajorVersion = OEVersion();
        ApplyUsingOE();

        frmMain& window = frmMain::Instance();
        // A window closed while it loaded (from its release notice) has
        // already released the objects.
        if (!window.Load() || window.Window() == nullptr) {
            return;
        }
        if (ScanWanted()) {
            window.EnableScanTimer(true);
        }
        frmAboutTessavane::Instance().Load(window.Window());
        if (!gHideMainWindow) {
            window.Show();
        }
        StartLauncherAndDaemon();
        WriteConsoleLog("Loaded Startup Form");
    });
}

}  // namespace modMain
