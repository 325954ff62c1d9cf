#include "modPelwardenMain.h"

#include <windows.h>

#include "AddressList.h"
#include "Conf.h"
#include "FileList.h"
#include "LogTrap.h"
#include "OEIdentity.h"
#include "OERegistry.h"
#include "ObjectError.h"
#include "ProductKey.h"
#include "Resources.h"
#include "SingleInstance.h"
#include "StringIds.h"
#include "frmStatus.h"

namespace modPelwardenMain {

namespace {

std::unique_ptr<Conf> gConf;
// The blocked list is a plain list file here: the import adds many entries
// and writes the file once, where an AddressList would write it per entry.
std::unique_ptr<FileList> gBlockedSenders;
std::unique_ptr<AddressList> gApprovedSenders;

std::string ProductValueText(const std::string& name) {
    return ProductKey().Value(name).ToText();
}

// dbg_verbose_level as a 16-bit number; a value that is not one counts as 0.
std::int16_t DebugLevel() {
    const auto level = LeadingNumber(gConf ? gConf->GetValue("dbg_verbose_level").ToText() : "");
    return level && *level >= INT16_MIN && *level <= INT16_MAX ? static_cast<std::int16_t>(*level) : 0;
}

void InitializeObjects() {
    LogTrap::Trap(LogTrap::ProcedurePrefix("InitializeObjects"), " : ", [] {
        gConf = std::make_unique<Conf>();
        gConf->ConfigFile(ConfPath(LoadResText(kStrConfFile)));
        gConf->Load();
        gBlockedSenders = std::make_unique<FileList>();
        gBlockedSenders->FileLocation(ConfPath("blocked_senders"));
        gBlockedSenders->Load();
        gApprovedSenders = std::make_unique<AddressList>();
        gApprovedSenders->FileLocation(ConfPath("approved_senders"));
        gApprovedSenders->Load();
        gScanLimit = 0;
        gScanLimit = ScanLimitBytes(ProductValueText("scan_limit"));
    });
}

void ReleaseObjects() {
    gBlockedSenders.reset();
    gApprovedSenders.reset();
    gConf.reset();
}

std::string GetLastUserID() {
    return OERegistry::ValueText(HKEY_CURRENT_USER, "Identities", "Last User ID");
}

void WriteTotal(const std::string& name, std::int32_t total) {
    ProductKey().Value(name, Variant(total));
}

void BlockedSenders(const std::vector<std::string>& list) {
    if (list.empty()) {
        return;
    }
    LogTrap::Trap(LogTrap::ProcedurePrefix("BlockedSenders"), " : ", [&] {
        if (!gBlockedSenders) {
            throw ObjectError(91, "BlockedSenders", "Object variable or With block variable not set");
        }
        // The console may save the list at any time: the import starts from
        // the file as it is now and is written before the console goes on.
        gBlockedSenders->Update([&] {
            for (const std::string& entry : list) {
                for (const std::string& address : BlockedSenderAddresses(entry)) {
                    if (!gBlockedSenders->Exists(address)) {
                        gBlockedSenders->Add(address);
                    }
                }
            }
            gBlockedSenders->Save();
        });
    });
}

void StartEngine() {
    LogTrap::Trap(LogTrap::ProcedurePrefix("Main"), " : ", [] {
        gEngine = Engine().KX_constructor("Varnholt", ProgramFolder() + "\\conf");
        if (gEngine != 0) {
            Engine().KX_initialize(gEngine);
        }
    });
    if (gEngine == 0) {
        ShowStatus(LoadResText(kStrEngineStartFailed));
        WriteLog(LoadResText(kStrEngineStartFailed));
    }
}

// Whatever ended the run, an engine that was created keeps its totals and is released.
void EndEngine() {
    if (gEngine == 0) {
        return;
    }
    SaveTrainingTotals();
    LogTrap::Trap(LogTrap::ProcedurePrefix("Main"), " : ", [] { Engine().KX_destructor(gEngine); });
    gEngine = 0;
}

void Detail(const std::string& line) {
    if (ScanState::DetailLogging()) {
        WriteLog(line);
    }
}

void ScanStores() {
    frmStatus::DoEvents();
    ShowStatus(LoadResText(kStrScanningInbox));
    PreviousFrom(gStoreRoot + GetFolderFilename("inbox"));
    Detail("Processed Inbox");
    frmStatus::DoEvents();
    ShowStatus(LoadResText(kStrScanningSent));
    ScanNewSentEmails(gStoreRoot + GetFolderFilename("sent items"));
    Detail("Processed Sent Items");
}

void Run() {
    const std::string guid = GetLastUserID();
    Detail("identity = " + guid);
    // Without a current identity there is nothing to read, and nothing may be
    // created under the identities key.
    if (guid.empty()) {
        ShowStatus(LoadResText(kStrNoMailFolders));
        WriteLog("No current Outlook Express identity: " + LoadResText(kStrNoMailFolders));
        return;
    }
    OEIdentity identity;
    StartEngine();
    identity.Identity(guid);
    gStoreRoot = identity.StoreRoot() + "\\";
    identity.LoadBlockedList();
    ShowStatus(LoadResText(kStrImportingBlockList));
    BlockedSenders(identity.BlockedList());
    Detail("gStoreRoot = " + gStoreRoot);
    Detail("Processed OE Blocked List ");
    Detail("Store Root = " + identity.StoreRoot());
    if (gEngine != 0) {
        ScanStores();
    }
    frmStatus::DoEvents();
}

}  // namespace

void Main() {
    if (SingleInstance::AnotherInstanceRuns("Brindlecote Varnholt Pelwarden")) {
        return;
    }
    if (GetArgCount() > 0) {
        ParseCommandLine();
    }
    SetSwitchReader(ProductValueText);
    SetTotalWriter(WriteTotal);
    InitializeObjects();
    gDebugLevel = DebugLevel();
    Detail("dbg_verbose_level = " + std::to_string(gDebugLevel));
    if (gShow) {
        ScanState::SetStatusWriter(frmStatus::AddLine);
        frmStatus::Show();
    }
    const bool finished = LogTrap::Trap(LogTrap::ProcedurePrefix("Main"), " : ", Run);
    EndEngine();
    ReleaseObjects();
    if (!finished) {
        return;
    }
    ShowStatus(LoadResText(kStrScanFinished));
    if (gShow) {
        frmStatus::EnableOK();
    } else {
        frmStatus::Unload();
    }
}

}  // namespace modPelwardenMain
