#pragma once
#include <string>

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

struct Node {
    const char* key;
    const char* parent;  // "" for the root
    int textId;          // string table id, or 0 for the literal below
    const char* text;
    int image;           // kImageNone for a toggle leaf
    int expandedImage;   // kImageGroupExpanded for the groups
    int page;            // page shown when the node is selected
    int helpId;          // string id of the help topic (1040-1046 are not in the table)
};

constexpr Node kNodes[] = {
    {"Root", "", 101, "", kImageRoot, 0, 0, 1024},
    {"General", "Root", 280, "", kImageLine, kImageGroupExpanded, 1, 1024},
    {"Netcheck", "General", 115, "", kImageNone, 0, 6, 1011},
    {"RuleUpdate", "General", 114, "", kImageNone, 0, 5, 1010},
    {"NotificationUpgrades", "General", 113, "", kImageNone, 0, 4, 1009},
    {"ProxySupport", "General", 119, "", kImageNone, 0, 10, 1015},
    {"OEOptions", "Root", 0, "Outlook Express Options", kImageLine, kImageGroupExpanded, 31, 1043},
    {"EnableOEPlugin", "OEOptions", 429, "", kImageNone, 0, 33, 1043},
    {"OESpamThreshold", "OEOptions", 421, "", kImageNone, 0, 30, 1041},
    {"ConfirmBA", "OEOptions", 416, "", kImageNone, 0, 29, 1042},
    {"ScanOE", "OEOptions", 121, "", kImageNone, 0, 12, 1017},
    {"POPProxyOptions", "Root", 0, "POP Proxy Options", kImageLine, kImageGroupExpanded, 32, 1044},
    {"IncomingListeningPort", "POPProxyOptions", 111, "", kImageAlwaysOn, 0, 2, 1007},
    {"SubjectModification", "POPProxyOptions", 116, "", kImageNone, 0, 7, 1012},
    {"SpamFlagging", "POPProxyOptions", 117, "", kImageNone, 0, 8, 1013},
    {"ApproveMessage", "Root", 0, "Approve Options", kImageLine, kImageGroupExpanded, 21, 1030},
    {"BlockMessage", "Root", 0, "Block Options", kImageLine, kImageGroupExpanded, 22, 1031},
    {"ApprovedSenders", "ApproveMessage", 0, "Senders", kImageLine, 0, 13, 1018},
    {"ApprovedIP", "ApproveMessage", 0, "I.P. Addresses", kImageLine, 0, 15, 1026},
    {"NotSentToMe", "ApproveMessage", 120, "", kImageLine, 0, 11, 1016},
    {"BlockedSenders", "BlockMessage", 0, "Senders", kImageLine, 0, 14, 1019},
    {"CountryBlocking", "BlockMessage", 0, "Countries", kImageLine, 0, 18, 1028},
    {"BlockedIP", "BlockMessage", 0, "I.P. Addresses", kImageLine, 0, 17, 1027},
    {"BlockedCharset", "BlockMessage", 0, "Languages", kImageLine, 0, 16, 1039},
    {"RBLs", "BlockMessage", 302, "", kImageLine, 0, 19, 1025},
    {"IgnoreLists", "Root", 0, "Ignore Lists", kImageLine, kImageGroupExpanded, 25, 1040},
    {"IgnoredSenders", "IgnoreLists", 0, "Senders", kImageLine, 0, 34, 1045},
    {"IgnoredCountries", "IgnoreLists", 0, "Countries", kImageLine, 0, 35, 1046},
    {"IgnoreIPs", "IgnoreLists", 0, "I.P. Addresses", kImageLine, 0, 28, 1040},
    {"AdvancedOptions", "Root", 279, "", kImageLine, kImageGroupExpanded, 23, 1032},
    {"WordTraining", "AdvancedOptions", 0, "Enable Word Training", kImageNone, 0, 20, 1029},
    {"EnableRules", "AdvancedOptions", 0, "Enable Rules", kImageNone, 0, 26, 1035},
    {"ScoringTimeout", "AdvancedOptions", 118, "", kImageNone, 0, 9, 1014},
    {"RBLExpert", "AdvancedOptions", 0, "RBL Expert Options", kImageLine, 0, 27, 1034},
    {"Expert", "AdvancedOptions", 341, "", kImageLine, 0, 24, 1033},
};

constexpr int kNodeCount = sizeof(kNodes) / sizeof(kNodes[0]);
constexpr int kPageCount = 36;

// The node of that key; nullptr for a key that is not in the tree.
const Node* Find(const std::string& key);

}  // namespace OptionTree
