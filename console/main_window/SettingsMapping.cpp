#include "SettingsMapping.h"

#include "LongestNumber.h"
#include "NumberText.h"
#include "ObjectError.h"
#include "TextCompare.h"
#include "frmMainIds.h"

namespace SettingsMapping {

namespace {

constexpr std::int32_t kTypeMismatch = 13;

[[noreturn]] void TooLong(const std::string& value, const std::string& what) {
    throw ObjectError(kTypeMismatch, "SettingsMapping",
                      "Type mismatch: " + std::to_string(value.size()) + " characters, too long for " + what);
}

[[noreturn]] void Mismatch(const std::string& value) {
    // A value far too long to be a number is described, not copied into the log.
    if (value.size() > kLongestNumber) {
        TooLong(value, "a number");
    }
    throw ObjectError(kTypeMismatch, "SettingsMapping", "Type mismatch: \"" + value + "\"");
}

double NumberOf(const std::string& value) {
    const std::optional<double> number = NumberText::Parse(value);
    if (!number) {
        Mismatch(value);
    }
    return *number;
}

const Row kRows[] = {
    {"listen_port", RowKind::Number, "", IDC_txtInPort, 0, ""},
    {"ruleupdate", RowKind::RuleUpdate, "RuleUpdate", IDC_cmbRuleUpdFreq, 0, "0"},
    {"netcheck", RowKind::FlagNode, "Netcheck", 0, 0, ""},
    {"spam_subject", RowKind::PositiveSwitch, "SubjectModification", 0, IDC_txtSubjModThreshold, "0"},
    {"spam_subject_threshold", RowKind::Threshold, "", IDC_txtSubjModThreshold, 0, "90"},
    {"spam_flag", RowKind::BooleanSwitch, "SpamFlagging", 0, IDC_txtMsgModThreshold, "0"},
    {"spam_flag_threshold", RowKind::Threshold, "", IDC_txtMsgModThreshold, 0, "90"},
    {"oe_spam", RowKind::BooleanSwitch, "OESpamThreshold", 0, IDC_txtOESpamThreshold, "0"},
    {"oe_spam_threshold", RowKind::Threshold, "", IDC_txtOESpamThreshold, 0, "90"},
    {"showsenderdialog", RowKind::RegistrySwitch, "ConfirmBA", 0, 0, ""},
    {"spam_timeout", RowKind::TimeoutSwitch, "ScoringTimeout", 0, IDC_txtMaxTimeoutSpamChk, "0"},
    {"spam_timeout_value", RowKind::Number, "", IDC_txtMaxTimeoutSpamChk, 0, ""},
    {"use_proxy_server", RowKind::FlagNode, "ProxySupport", 0, 0, ""},
    {"restrict_to_me", RowKind::Kept, "NotSentToMe", 0, 0, ""},
    {"enable_oe_plugin", RowKind::FlagNode, "EnableOEPlugin", 0, 0, ""},
    {"oe_scan", RowKind::FlagNode, "ScanOE", 0, 0, ""},
    {"oe_save_scanned_addresses", RowKind::CheckBox, "", IDC_chkDoNotRemoveScanned, 0, ""},
    {"oe_scan_frequency", RowKind::ScanFrequency, "", IDC_cmbOEScanFrequency, 0, ""},
    {"proxy_server", RowKind::Text, "", IDC_txtProxyServer, 0, ""},
    {"proxy_port", RowKind::Number, "", IDC_txtProxyPort, 0, ""},
    {"enable_word_training", RowKind::FlagNode, "WordTraining", 0, 0, ""},
    {"max_word_entries", RowKind::Number, "", IDC_txtMaxWordEntries, 0, ""},
    {"min_training", RowKind::Number, "", IDC_txtMinTraining, 0, ""},
    {"enable_rules", RowKind::FlagNode, "EnableRules", 0, 0, ""},
    {"extended_rules", RowKind::CheckBox, "", IDC_chkEnableExtendedRules, 0, ""},
    {"rbl_multi_hit", RowKind::CheckBox, "", IDC_chkRBLMultiHit, 0, ""},
    {"rbl_timeout", RowKind::Number, "", IDC_txtRBLTimeout, 0, ""},
    {"rbl_max_ips", RowKind::Number, "", IDC_txtMaxRBLIPs, 0, ""},
    {"rbl_threshold", RowKind::Range, "", IDC_txtMinRBLThreshold, IDC_txtMaxRBLThreshold, "1:99"},
    {"auto_training_threshold", RowKind::Range, "", IDC_txtMinAutoTrainingThreshold, IDC_txtMaxAutoTrainingThreshold,
     "20:80"},
    {"netcheck_threshold", RowKind::Range, "", IDC_txtMinNetcheckThreshold, IDC_txtMaxNetcheckThreshold, "1:99"},
    {"add_scoring_summary", RowKind::CheckBox, "", IDC_chkAddScoringSummary, 0, ""},
    {"full_training_weight", RowKind::TrainingWeight, "", IDC_optHighTrainingWeight, IDC_optLowTrainingWeight, ""},
};

}  // namespace

const Row* Rows(std::size_t& count) {
    count = std::size(kRows);
    return kRows;
}

bool FlagOn(const std::string& value) {
    return value == "yes";
}

std::string FlagText(bool on) {
    return on ? "yes" : "no";
}

bool PositiveSwitchOn(const std::string& value) {
    const std::optional<double> number = NumberText::Parse(value);
    return number && *number > 0;
}

bool BooleanSwitchOn(const std::string& value) {
    if (const std::optional<double> number = NumberText::Parse(value)) {
        return *number != 0;
    }
    return TextCompare(value, "yes") == 0 || TextCompare(value, "true") == 0;
}

std::optional<int> RuleUpdateIndex(const std::string& value) {
    if (TrimSpaces(value).empty()) {
        return std::nullopt;
    }
    const double seconds = NumberOf(value);
    const std::optional<std::int32_t> whole = NumberText::Whole32(value);
    if (!whole) {
        Mismatch(value);
    }
    if (*whole == 0) {
        return std::nullopt;
    }
    static const double kChoices[] = {900, 3600, 86400, 604800, 2592000};
    for (int i = 0; i < static_cast<int>(std::size(kChoices)); ++i) {
        if (seconds == kChoices[i]) {
            return i;
        }
    }
    return 0;
}

std::optional<std::string> RuleUpdateValue(bool on, int index) {
    static const char* const kValues[] = {"900", "3600", "86400", "604800", "2592000"};
    if (!on) {
        return "0";
    }
    if (index < 0 || index >= static_cast<int>(std::size(kValues))) {
        return std::nullopt;
    }
    return kValues[index];
}

int ScanFrequencyIndex(const std::string& value) {
    const std::string trimmed = TrimSpaces(value);
    if (trimmed == "30") {
        return 0;
    }
    if (trimmed == "60") {
        return 1;
    }
    // The daily choice: 1440 minutes, and 3600 as older files carry it.
    return 2;
}

std::optional<std::string> ScanFrequencyValue(int index) {
    static const char* const kValues[] = {"30", "60", "1440"};
    if (index < 0 || index >= static_cast<int>(std::size(kValues))) {
        return std::nullopt;
    }
    return kValues[index];
}

std::string NumberShown(const std::string& value) {
    if (TrimSpaces(value).size() > kLongestNumber) {
        Mismatch(value);
    }
    return value;
}

std::size_t LongestText(RowKind kind) {
    switch (kind) {
        case RowKind::Text:
            return kLongestHostName;
        case RowKind::Number:
        case RowKind::Threshold:
        case RowKind::Range:
            return kLongestNumber;
        default:
            return 0;
    }
}

std::string HostNameShown(const std::string& value) {
    if (value.size() > kLongestHostName) {
        TooLong(value, "a host name");
    }
    return value;
}

std::pair<std::string, std::string> SplitRange(const std::string& value) {
    const auto colon = value.find(':');
    if (colon == std::string::npos) {
        Mismatch(value);
    }
    const auto end = value.find(':', colon + 1);
    return {value.substr(0, colon), value.substr(colon + 1, end == std::string::npos ? end : end - colon - 1)};
}

std::string JoinRange(const std::string& minimum, const std::string& maximum) {
    return minimum + ":" + maximum;
}

std::string TimeoutShown(const std::string& timeoutValue, const std::string& timeout) {
    return timeoutValue.empty() ? timeout : timeoutValue;
}

std::string TimeoutToSave(const std::string& boxText) {
    return boxText.empty() || boxText == "0" ? "5" : boxText;
}

int ThresholdWhole(const std::string& value) {
    const std::optional<std::int32_t> whole = NumberText::Whole32(value);
    if (!whole) {
        Mismatch(value);
    }
    return *whole;
}

bool SenderDialogOn(const std::string& registryText) {
    return registryText.empty() || registryText == "1";
}

bool HighTrainingWeight(const std::string& value) {
    return value == "yes";
}

std::string TrainingWeightText(bool lowSelected) {
    return lowSelected ? "no" : "yes";
}

}  // namespace SettingsMapping
