#include "CurlRequest.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "Resources.h"
#include "StringIds.h"
#include "frmNewRelease.h"
#include "modFileVersionInfo.h"
#include "modMain.h"
#include "modMainRelease.h"
#include "modShellExecute.h"

namespace modMain {

namespace {

// The check runs while the main window loads: an unreachable service must
// not hold the start-up for long.
const std::int32_t kVersionCheckConnectSeconds = 5;
const std::int32_t kVersionCheckSeconds = 10;
const std::int32_t kVersionFileSize = 100;
// The library's result when the body did not fit the buffer (libcurl's numbering).
const std::int32_t kBodyCutOff = 23;

std::string Setting(const std::string& key) {
    return gProxyConf->GetValue(key).ToText();
}

}  // namespace

std::string GetLatestVersion(std::string* failure) {
    CurlRequest request;
    request.bufferSize(kVersionFileSize);
    request.connectTimeout(kVersionCheckConnectSeconds);
    request.TimeOut(kVersionCheckSeconds);
    const std::string host = LoadResText(Setting("use_internal_rpc") == "yes" ? kStrInternalHost : kStrPublicHost);
    request.GetRequest(host + LoadResText(kStrUpgradeFolder), 80, false, LoadResText(kStrVersionFile));
    WriteConsoleLog("cRequest.errorCode = " + std::to_string(request.errorCode()));
    const std::string body = ResponseBody(request.Response());
    WriteConsoleLog("cRequest.Response = " + body);

    // Only the front of a longer file fits the buffer, and the library says
    // so by its result code; the result code never stops the reading.
    std::string why;
    if (request.errorCode() == kBodyCutOff) {
        WriteConsoleLog("GetLatestVersion() : the version file was cut off after " + std::to_string(body.size()) +
                        " characters");
    } else {
        why = RequestFailureText(request.errorCode(), gProxyServer);
    }
    const std::string release = ReleaseNumber(body);
    if (!release.empty() && IsReleaseNumber(release)) {
        why.clear();
    } else if (why.empty()) {
        why = "The version file holds no release number.";
    }
    if (!why.empty()) {
        WriteConsoleLog("GetLatestVersion() : no release number: " + why);
    }
    if (failure != nullptr) {
        *failure = why;
    }
    return release;
}

bool IsNewerVersion(const std::string& release) {
    return IsNewerVersion(release, modFileVersionInfo::OwnVersion());
}

void CheckForUpgrade() {
    LogTrap::Trap("CheckForNewRelease() Error ", " : ", [] {
        const std::string dismissed = Setting("last_upgrade_notification");
        // Fetched at every start, whatever the setting below.
        const std::string latest = GetLatestVersion();
        if (Setting("enable_upgrade_notification") != "yes" || !SettingsReadable()) {
            return;
        }
        if (IsNewerVersion(latest)) {
            if (NoticeWanted(latest, dismissed)) {
                frmNewRelease notice;
                notice.ReleaseVersion(latest);
                notice.Show();
            }
            return;
        }
        modShellExecute::ShellOpen("kxvarnhupdate.exe", "1", FileSystem::ProgramDirectory());
    });
}

}  // namespace modMain
