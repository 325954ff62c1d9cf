#include "frmMain.h"

#include <map>
#include <optional>
#include <vector>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "RegOp.h"
#include "Resources.h"
#include "SenderLists.h"
#include "SettingsMapping.h"
#include "ThresholdRules.h"
#include "WindowHelpers.h"
#include "frmMainIds.h"
#include "modMain.h"

// Settings load and save: the configuration object into the controls and back.

namespace {

using SettingsMapping::Row;
using SettingsMapping::RowKind;

const char kSenderDialogKey[] = "Software\\Quenmark\\OE_Plugin\\";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Value(const std::string& key) {
    return modMain::gProxyConf->GetValue(key).ToText();
}

void Checkpoint(const std::string& line) {
    if (modMain::gDebugVerboseLevel >= 8) {
        modMain::WriteConsoleLog(line);
    }
}

Variant RegistryValue(HKEY root, const std::string& key, const std::string& name) {
    RegOp registry;
    registry.root(root);
    registry.key(key);
    return registry.Value(name);
}

void WriteRegistryValue(HKEY root, const std::string& key, const std::string& name, const Variant& data) {
    RegOp registry;
    registry.root(root);
    registry.key(key);
    registry.Value(name, data);
}

int ComboIndex(HWND combo) {
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

}  // namespace

namespace {

// Moves one row between the configuration and the window. The rows whose
// showing depends on other keys or has side effects are shown by the window
// itself, in its own order.
class RowTransfer {
public:
    using Refusals = std::map<std::string, std::string>;

    // Loads and saves keep the refused values in the window's record.
    RowTransfer(frmMain& form, Refusals& refused) : form_(form), refused_(&refused) {}
    explicit RowTransfer(frmMain& form) : form_(form) {}

    std::string Text(int id) const { return WindowText(form_.Control(id)); }
    void SetText(int id, const std::string& text) const { SetWindowTextA(form_.Control(id), text.c_str()); }
    bool Checked(int id) const { return SendMessageA(form_.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(int id, bool on) const {
        SendMessageA(form_.Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool NodeOn(const std::string& key) const { return form_.NodeImage(key) == OptionTree::kImageOn; }
    void SetNode(const std::string& key, bool on) const {
        form_.SetNodeImage(key, on ? OptionTree::kImageOn : OptionTree::kImageOff);
    }

    // A stored value the row cannot show is logged under its key and its
    // fallback shown instead, so one bad key neither stops the load nor
    // leaves stale text in the boxes after it.
    template <class Show>
    void Load(const Row& row, const std::string& value, Show&& show) const {
        const auto showNamed = [&] {
            try {
                show(value);
            } catch (const ObjectError& error) {
                throw ObjectError(error.Number(), error.Source(), std::string(row.key) + ": " + error.Description());
            }
        };
        if (!LogTrap::Trap("PopulateForm() Error ", " ", showNamed)) {
            show(std::string(row.fallback));
            if (refused_ != nullptr && SettingsMapping::LongestText(row.kind) > 0) {
                (*refused_)[row.key] = Shown(row);
            }
        }
    }

    void LoadPlain(const Row& row) const {
        Load(row, Value(row.key), [&](const std::string& value) {
            switch (row.kind) {
                case RowKind::Text:
                    SetText(row.control, SettingsMapping::HostNameShown(value));
                    break;
                case RowKind::Number:
                    SetText(row.control, SettingsMapping::NumberShown(value));
                    break;
                case RowKind::FlagNode:
                    SetNode(row.node, SettingsMapping::FlagOn(value));
                    break;
                case RowKind::CheckBox:
                    SetChecked(row.control, SettingsMapping::FlagOn(value));
                    break;
                case RowKind::Range: {
                    const auto [minimum, maximum] = SettingsMapping::SplitRange(value);
                    SetText(row.control, SettingsMapping::NumberShown(minimum));
                    SetText(row.second, SettingsMapping::NumberShown(maximum));
                    break;
                }
                case RowKind::PositiveSwitch:
                    SetNode(row.node, SettingsMapping::PositiveSwitchOn(value));
                    break;
                case RowKind::BooleanSwitch:
                    SetNode(row.node, SettingsMapping::BooleanSwitchOn(value));
                    break;
                case RowKind::Threshold: {
                    const int option = ThresholdRules::LoadOption(SettingsMapping::ThresholdWhole(value));
                    SetText(row.control, value);
                    if (option != 0) {
                        form_.Thresholds().SelectThresholdOption(ThresholdPages::ThresholdGroupOf(row.control), option);
                    }
                    break;
                }
                case RowKind::RuleUpdate: {
                    const std::optional<int> index = SettingsMapping::RuleUpdateIndex(value);
                    SetNode(row.node, index.has_value());
                    if (index) {
                        SendMessageA(form_.Control(row.control), CB_SETCURSEL, *index, 0);
                    }
                    break;
                }
                case RowKind::ScanFrequency:
                    SendMessageA(form_.Control(row.control), CB_SETCURSEL, SettingsMapping::ScanFrequencyIndex(value),
                                 0);
                    break;
                case RowKind::TrainingWeight: {
                    const bool high = SettingsMapping::HighTrainingWeight(value);
                    SetChecked(row.control, high);
                    SetChecked(row.second, !high);
                    break;
                }
                case RowKind::TimeoutSwitch:
                case RowKind::RegistrySwitch:
                case RowKind::Kept:
                    break;
            }
        });
    }

    // Stores the row where it belongs.
    void Save(const Row& row, KXProxyConf& conf) const {
        if (Refused(row)) {
            return;
        }
        if (row.kind == RowKind::RegistrySwitch) {
            WriteRegistryValue(HKEY_CURRENT_USER, kSenderDialogKey, row.key, std::int32_t{NodeOn(row.node) ? 1 : 0});
        } else if (const std::optional<std::string> text = SavedText(row)) {
            conf.SetValue(row.key, *text);
        }
    }

    // Every box of the rows that show text, limited to what its value may hold.
    void LimitBoxes() const {
        std::size_t count = 0;
        const Row* rows = SettingsMapping::Rows(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t longest = SettingsMapping::LongestText(rows[i].kind);
            for (int id : {rows[i].control, rows[i].second}) {
                if (longest > 0 && id != 0) {
                    SendMessageA(form_.Control(id), EM_LIMITTEXT, longest, 0);
                }
            }
        }
    }

private:
    // What the row's boxes show, both of a range.
    std::string Shown(const Row& row) const {
        std::string shown = Text(row.control);
        if (row.second != 0) {
            shown += '\n';
            shown += Text(row.second);
        }
        return shown;
    }

    // A value refused at load whose boxes still show what was shown instead.
    bool Refused(const Row& row) const {
        if (refused_ == nullptr) {
            return false;
        }
        const auto refused = refused_->find(row.key);
        return refused != refused_->end() && refused->second == Shown(row);
    }

    // The text the row stores in the configuration; nothing when it stores
    // none (no combo choice made, a registry switch, a row kept as stored).
    std::optional<std::string> SavedText(const Row& row) const {
        switch (row.kind) {
            case RowKind::Text:
            case RowKind::Number:
            case RowKind::Threshold:
                return Text(row.control);
            case RowKind::FlagNode:
                return SettingsMapping::FlagText(NodeOn(row.node));
            case RowKind::CheckBox:
                return SettingsMapping::FlagText(Checked(row.control));
            case RowKind::Range:
                return SettingsMapping::JoinRange(Text(row.control), Text(row.second));
            case RowKind::PositiveSwitch:
            case RowKind::BooleanSwitch:
                return NodeOn(row.node) ? Text(row.second) : "0";
            case RowKind::RuleUpdate:
                return SettingsMapping::RuleUpdateValue(NodeOn(row.node), ComboIndex(form_.Control(row.control)));
            case RowKind::ScanFrequency:
                return SettingsMapping::ScanFrequencyValue(ComboIndex(form_.Control(row.control)));
            case RowKind::TrainingWeight:
                return SettingsMapping::TrainingWeightText(Checked(row.second));
            case RowKind::TimeoutSwitch:
                return TimeoutText(row);
            case RowKind::RegistrySwitch:
            case RowKind::Kept:
                break;
        }
        return std::nullopt;
    }

    // The box shows what is saved: an empty box or 0 becomes the default.
    std::string TimeoutText(const Row& row) const {
        if (!NodeOn(row.node)) {
            return "0";
        }
        const std::string current = Text(row.second);
        const std::string timeout = SettingsMapping::TimeoutToSave(current);
        if (timeout != current) {
            SetText(row.second, timeout);
        }
        return timeout;
    }

    frmMain& form_;
    Refusals* refused_ = nullptr;
};

const Row& RowOf(const std::string& key) {
    std::size_t count = 0;
    const Row* rows = SettingsMapping::Rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (key == rows[i].key) {
            return rows[i];
        }
    }
    throw ObjectError(5, "frmMain", "No settings row " + key);
}

}  // namespace

void frmMain::LimitTextBoxes() {
    RowTransfer(*this).LimitBoxes();
}

void frmMain::PopulateFormPOP3() {
    refusedValues_.clear();
    const RowTransfer rows(*this, refusedValues_);
    const auto load = [&](const char* key) { rows.LoadPlain(RowOf(key)); };
    thresholds_.PrepareThresholdControls();
    fields_.ForgetRefusal();
    // Showing the stored values is no edit, though every box reports a change.
    const bool settingsChanged = modMain::gSettingsChanged;
    const bool restartNeeded = modMain::gRestartNeeded;
    LogTrap::Trap("PopulateForm() Error ", " ", [&] {
        load("listen_port");
        Checkpoint("MaxConcurrentConn");
        ipLists_.LoadApprovedIPList();
        ipLists_.LoadBlockedIPList();
        ipLists_.LoadIgnoredIPList();
        ipLists_.LoadRBLs();
        countries_.LoadBlockedCountryList();
        charsets_.LoadCharsetTree();
        countries_.LoadIgnoredCountryList();
        Checkpoint("LoadOutgoingServerList()");
        rows.SetNode("NotificationUpgrades", SettingsMapping::FlagOn(Value("enable_upgrade_notification")));

        load("ruleupdate");
        Checkpoint("RuleUpdate");

        if (Value("enable_oe_plugin").empty() && modMain::SettingsReadable()) {
            modMain::gProxyConf->SetValue("enable_oe_plugin", "yes");
            const std::string launcher = FileSystem::ProgramDirectory() + "\\Launcher.exe";
            WriteRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup", "\"" + launcher + "\"");
        }
        rows.SetNode("EnableOEPlugin", SettingsMapping::FlagOn(Value("enable_oe_plugin")));
        load("netcheck");
        Checkpoint("NetCheck");

        load("spam_subject_threshold");
        load("spam_subject");
        Checkpoint("SubjectMod Threshold");
        load("spam_flag_threshold");
        load("spam_flag");

        const std::string senderDialog =
            RegistryValue(HKEY_CURRENT_USER, kSenderDialogKey, "showsenderdialog").ToText();
        if (Value("oe_spam_threshold").empty()) {
            const std::string threshold =
                Value("spam_subject_threshold").empty() ? "90" : rows.Text(IDC_txtSubjModThreshold);
            for (const char* key : {"oe_spam", "oe_spam_threshold"}) {
                modMain::gProxyConf->SetValue(key, threshold);
            }
            modMain::gProxyConf->WriteValue("oe_spam_threshold", threshold);
            modMain::gProxyConf->WriteValue("oe_spam", threshold);
        }
        load("oe_spam_threshold");
        load("oe_spam");

        if (senderDialog.empty() && modMain::SettingsReadable()) {
            WriteRegistryValue(HKEY_CURRENT_USER, kSenderDialogKey, "showsenderdialog", std::int32_t{1});
        }
        rows.SetNode("ConfirmBA", SettingsMapping::SenderDialogOn(senderDialog));
        Checkpoint("Flag Threshold");

        rows.Load(RowOf("spam_timeout_value"),
                  SettingsMapping::TimeoutShown(Value("spam_timeout_value"), Value("spam_timeout")),
                  [&](const std::string& value) {
                      rows.SetText(IDC_txtMaxTimeoutSpamChk, SettingsMapping::NumberShown(value));
                  });
        rows.SetNode("ScoringTimeout", SettingsMapping::PositiveSwitchOn(Value("spam_timeout")));
        Checkpoint("Spam Timeout");

        const bool useProxy = SettingsMapping::FlagOn(Value("use_proxy_server"));
        rows.SetNode("ProxySupport", useProxy);
        // Requests follow the setting as saved, also when it was turned off.
        modMain::gUseProxy = useProxy;
        Checkpoint("HTTP Proxy Server");
        Checkpoint("Restrict to me");

        const std::string scan = Value("oe_scan");
        rows.SetNode("ScanOE", scan.empty() || scan == "yes");
        Checkpoint("OE Scan");
        load("oe_save_scanned_addresses");
        load("oe_scan_frequency");

        load("proxy_server");
        load("proxy_port");
        Checkpoint("HTTP Proxy Server Info");

        for (const char* key :
             {"enable_rules", "extended_rules", "enable_word_training", "max_word_entries", "min_training",
              "rbl_multi_hit", "rbl_timeout", "rbl_max_ips", "rbl_threshold", "auto_training_threshold",
              "netcheck_threshold", "add_scoring_summary", "full_training_weight"}) {
            load(key);
        }

        senders_.FillSenderList(SenderList::Approved);
        senders_.FillSenderList(SenderList::Blocked);
        senders_.FillSenderList(SenderList::Ignored);
        Checkpoint("Load Approved/Blocked sender list");
        senders_.FillSenderList(SenderList::ToMe);
        Checkpoint("End of PopulateFormPOP3");
    });
    modMain::gSettingsChanged = settingsChanged;
    modMain::gRestartNeeded = restartNeeded;
    EnableWindow(Control(IDC_cmdOK), settingsChanged ? TRUE : FALSE);
}

bool frmMain::SaveSettings() {
    bool saved = false;
    LogTrap::Trap("SaveFormFields() Error ", " ", [&] {
        if (!ReadyToSave()) {
            return;
        }
        modMain::gProxyConf->SetValue("enable_upgrade_notification",
                                      SettingsMapping::FlagText(RowTransfer(*this).NodeOn("NotificationUpgrades")));
        WriteSettings();
        // A save that did not reach the file is no save: nothing may then
        // notify, restart or close as if it had.
        saved = settingsWritten_;
    });
    return saved;
}

bool frmMain::ReadyToSave() {
    // The boxes show defaults, not the file: checking them would blame the
    // user for what the file holds, and saving them would be wrong anyway.
    if (!modMain::SettingsReadable()) {
        modMain::gProxyConf->ShowNotText();
        return false;
    }
    return fields_.ValidateSettings();
}

void frmMain::WriteSettings() {
    const bool written = LogTrap::Trap("SaveFormFieldsPOP3Err() Error ", " ", [&] {
        const RowTransfer rows(*this, refusedValues_);
        KXProxyConf& conf = *modMain::gProxyConf;
        std::size_t count = 0;
        const Row* table = SettingsMapping::Rows(count);
        for (std::size_t i = 0; i < count; ++i) {
            rows.Save(table[i], conf);
        }
        // Requests use the proxy as saved.
        modMain::gProxyServer = rows.Text(IDC_txtProxyServer);
        modMain::gProxyPort = rows.Text(IDC_txtProxyPort);
        ipLists_.WriteLists(conf);
        countries_.WriteLists(conf);
        charsets_.WriteLists(conf);
        if (!conf.Save()) {
            throw ObjectError(75, "frmMain", "The configuration file cannot be written");
        }
    });
    settingsWritten_ = written;
    if (!written) {
        MsgBox("Debug SaveSettings", MsgBoxStyle::OKOnly, ProgramTitle());
        return;
    }
    modMain::gSettingsChanged = false;
    EnableWindow(Control(IDC_cmdOK), FALSE);
}
