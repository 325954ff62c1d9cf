#pragma once
#include <string>

#include "StringIds.h"

// The nodes of the main window's option tree, in the order they are added
// (also their order under their parents). A toggle leaf has no image of its
// own: its image is its setting's state (kImageOn or kImageOff).
namespace OptionTree {

// Images of the tree's image list, numbered from 1.
constexpr int kImageNone = 0;
constexpr int kImageOn = 2;
constexpr int kImageOff = 3;
constexpr int kImageRoot = 4;
constexpr int kImageAlwaysOn = 9;
constexpr int kImageGroupExpanded = 10;
constexpr int kImageLine = 11;

// Icon resource of each image, in image order.
constexpr int kImageIcons[] = {105, 106, 107, 101, 102, 103, 108, 109, 110, 111, 112, 113};

// Help topics of the mail-client and ignore-list options, which the string
// table does not hold: asking for one opens the main topic instead.
constexpr int kIgnoreListsTopic = 1040;
constexpr int kSpamThresholdTopic = 1041;
constexpr int kConfirmationsTopic = 1042;
constexpr int kMailClientOptionsTopic = 1043;
constexpr int kPOPProxyOptionsTopic = 1044;
constexpr int kIgnoredSendersTopic = 1045;
constexpr int kIgnoredCountriesTopic = 1046;

struct Node {
    const char* key;
    const char* parent;  // "" for the root
    int textId;          // string table id, or 0 for the literal below
    const char* text;
    int image;          // kImageNone for a toggle leaf
    int expandedImage;  // kImageGroupExpanded for the groups
    int page;           // page shown when the node is selected
    int helpId;         // string id of the help topic
};

constexpr Node kNodes[] = {
    {"Root", "", kStrProductTitle, "", kImageRoot, 0, 0, kStrMainHelpTopic},
    {"General", "Root", kStrGeneralOptions, "", kImageLine, kImageGroupExpanded, 1, kStrMainHelpTopic},
    {"Netcheck", "General", kStrEnableNetworkCheck, "", kImageNone, 0, 6, kStrNetworkCheckTopic},
    {"RuleUpdate", "General", kStrEnableRuleUpdates, "", kImageNone, 0, 5, kStrRuleUpdatesTopic},
    {"NotificationUpgrades", "General", kStrEnableUpgradeNotice, "", kImageNone, 0, 4, kStrNotificationTopic},
    {"ProxySupport", "General", kStrEnableProxy, "", kImageNone, 0, 10, kStrProxyTopic},
    {"OEOptions", "Root", 0, "Outlook Express Options", kImageLine, kImageGroupExpanded, 31, kMailClientOptionsTopic},
    {"EnableOEPlugin", "OEOptions", kStrEnablePlugin, "", kImageNone, 0, 33, kMailClientOptionsTopic},
    {"OESpamThreshold", "OEOptions", kStrEnableSpamThreshold, "", kImageNone, 0, 30, kSpamThresholdTopic},
    {"ConfirmBA", "OEOptions", kStrEnableConfirmations, "", kImageNone, 0, 29, kConfirmationsTopic},
    {"ScanOE", "OEOptions", kStrEnableFolderScan, "", kImageNone, 0, 12, kStrFolderScanTopic},
    {"POPProxyOptions", "Root", 0, "POP Proxy Options", kImageLine, kImageGroupExpanded, 32, kPOPProxyOptionsTopic},
    {"IncomingListeningPort", "POPProxyOptions", kStrListeningPort, "", kImageAlwaysOn, 0, 2, kStrListeningPortTopic},
    {"SubjectModification", "POPProxyOptions", kStrEnableSubjectModification, "", kImageNone, 0, 7,
     kStrSubjectModificationTopic},
    {"SpamFlagging", "POPProxyOptions", kStrEnableFlagging, "", kImageNone, 0, 8, kStrFlaggingTopic},
    {"ApproveMessage", "Root", 0, "Approve Options", kImageLine, kImageGroupExpanded, 21, kStrApproveOptionsTopic},
    {"BlockMessage", "Root", 0, "Block Options", kImageLine, kImageGroupExpanded, 22, kStrBlockOptionsTopic},
    {"ApprovedSenders", "ApproveMessage", 0, "Senders", kImageLine, 0, 13, kStrApprovedSendersTopic},
    {"ApprovedIP", "ApproveMessage", 0, "I.P. Addresses", kImageLine, 0, 15, kStrApprovedIPHelpTopic},
    {"NotSentToMe", "ApproveMessage", kStrMyEmailAddresses, "", kImageLine, 0, 11, kStrNotMyAddressTopic},
    {"BlockedSenders", "BlockMessage", 0, "Senders", kImageLine, 0, 14, kStrBlockedSendersTopic},
    {"CountryBlocking", "BlockMessage", 0, "Countries", kImageLine, 0, 18, kStrCountryBlockingTopic},
    {"BlockedIP", "BlockMessage", 0, "I.P. Addresses", kImageLine, 0, 17, kStrBlockedIPHelpTopic},
    {"BlockedCharset", "BlockMessage", 0, "Languages", kImageLine, 0, 16, kStrCharsetTopic},
    {"RBLs", "BlockMessage", kStrPublicBlacklists, "", kImageLine, 0, 19, kStrPublicBlacklistsTopic},
    {"IgnoreLists", "Root", 0, "Ignore Lists", kImageLine, kImageGroupExpanded, 25, kIgnoreListsTopic},
    {"IgnoredSenders", "IgnoreLists", 0, "Senders", kImageLine, 0, 34, kIgnoredSendersTopic},
    {"IgnoredCountries", "IgnoreLists", 0, "Countries", kImageLine, 0, 35, kIgnoredCountriesTopic},
    {"IgnoreIPs", "IgnoreLists", 0, "I.P. Addresses", kImageLine, 0, 28, kIgnoreListsTopic},
    {"AdvancedOptions", "Root", kStrAdvancedOptions, "", kImageLine, kImageGroupExpanded, 23, kStrAdvancedOptionsTopic},
    {"WordTraining", "AdvancedOptions", 0, "Enable Word Training", kImageNone, 0, 20, kStrWordTrainingTopic},
    {"EnableRules", "AdvancedOptions", 0, "Enable Rules", kImageNone, 0, 26, kStrRulesTopic},
    {"ScoringTimeout", "AdvancedOptions", kStrEnableScoringTimeout, "", kImageNone, 0, 9, kStrScoringTimeoutTopic},
    {"RBLExpert", "AdvancedOptions", 0, "RBL Expert Options", kImageLine, 0, 27, kStrBlacklistExpertTopic},
    {"Expert", "AdvancedOptions", kStrExpertOptions, "", kImageLine, 0, 24, kStrExpertTopic},
};

constexpr int kNodeCount = sizeof(kNodes) / sizeof(kNodes[0]);
constexpr int kPageCount = 36;

// The node of that key; nullptr for a key that is not in the tree.
const Node* Find(const std::string& key);

}  // namespace OptionTree
