#include "modMain.h"

namespace modMain {

std::shared_ptr<KXProxyConf> gProxyConf;
std::shared_ptr<AddressList> gApprovedSenders;
std::shared_ptr<AddressList> gBlockedSenders;
std::shared_ptr<AddressList> gIgnoredSenders;
std::shared_ptr<AddressList> gToMeAddresses;
std::uint64_t gApprovedSendersStamp = 0;
std::uint64_t gBlockedSendersStamp = 0;
std::uint64_t gIgnoredSendersStamp = 0;
bool gSettingsChanged = false;
bool gRestartNeeded = false;
int gPlatformId = 0;
int gOEMajorVersion = 0;
bool gDebugMode = false;
int gDebugVerboseLevel = 0;
bool gInstallMode = false;
bool gHideMainWindow = false;
bool gOEPluginEnabled = false;
std::string gBaseURL;
bool gUseProxy = false;
std::string gProxyServer;
std::string gProxyPort;
std::string gProxyUser;
std::string gProxyPassword;
std::int32_t gHamTrainingCount = 0;
std::int32_t gSpamTrainingCount = 0;
std::shared_ptr<HTMLHelp> gHelp;

}  // namespace modMain
