#include "CDbx.h"
#include "Conf.h"
#include "FileList.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "ObjectError.h"
#include "Resources.h"
#include "SortedList.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

namespace {

// What sets the Inbox scan apart from the Sent Items scan.
struct ScanKind {
    const char* procedure;
    const char* switchName;
    int openFailureId;
    const char* openFailureLog;
    const char* seenFile;
    bool lastDayOnly;
    // Inbox: senders, looked up first; Sent Items: recipients, always added.
    bool senders;
    std::int32_t weight;
};

const ScanKind kInbox{"PreviousFrom", "OEScanInbox", kStrInboxOpenFailed, "Unable to open Inbox", "oeinbox",
                      true,           true,          kInboxWeight};
const ScanKind kSent{
    "ScanNewSentEmails", "OEScanSent", kStrSentOpenFailed, "Unable to open Sent Items folder.", "oesent", false, false,
    kSentWeight};

SwitchReader& CurrentSwitchReader() {
    static SwitchReader reader;
    return reader;
}

std::string SwitchValue(const std::string& name) {
    return CurrentSwitchReader() ? CurrentSwitchReader()(name) : std::string();
}

// One status line and one log line for a store that did not open; a store
// that was missing or refused says why, with its size.
void ReportOpenFailure(const CDbx& reader, const std::string& status, const std::string& log) {
    const std::string& cause = reader.LoadFailure();
    const auto withCause = [&](const std::string& text) {
        if (cause.empty()) {
            return text;
        }
        return text + (text.ends_with('.') ? " " : ": ") + cause;
    };
    ShowStatus(withCause(status));
    WriteLog(withCause(log));
}

// The seen-id file tells which messages were fed before. One that cannot be
// read as text tells nothing and cannot take the new ids either, so a scan
// over it would feed every message again at each run: it feeds none, and
// the file is left for the user to mend or delete.
void RequireSeenFileText(const std::string& path) {
    if (FileSystem::FileExists(path) && !Conf::ReadableAsText(FileSystem::ReadWholeFile(path))) {
        throw ObjectError(FileList::kListNotText, "modPelwardenMain",
                          Conf::NotTextReason(path) + ", so no message was fed. The file was left as it was.");
    }
}

void RegisterSenders(const std::string& field) {
    for (const std::string& part : SplitAddresses(field)) {
        std::string address = FormatEmail(part);
        std::int32_t found = 0;
        Engine().KX_getSpamAddrFrom(gEngine, address, found);
        if (found == 0) {
            Engine().KX_addSpamAddrFrom(gEngine, address, 1, -1);
        }
    }
}

void RegisterRecipients(const std::string& field) {
    for (const std::string& part : SplitAddresses(field)) {
        std::string address = FormatEmail(part);
        Engine().KX_addSpamAddrTo(gEngine, address, 1, -1);
    }
}

// Feeds one message not fed before; false when its text could not be read
// (its chain of blocks is broken), so it is neither fed nor recorded and a
// repaired store trains it later. A message with no text at all is fed as
// the empty text it is. The record at hand is the one its key names (a
// store whose Ids repeat does not open), so its text is read without looking
// it up again.
bool FeedMessage(const ScanKind& kind, CDbx& reader, const CEmail& email, FileList& seen) {
    const std::string id = std::to_string(email.Id());
    if (kind.lastDayOnly && !WithinLastDay(email.MailDate())) {
        // A message without a readable date is left alone; the others still count.
        if (ScanState::DetailLogging() && !HourBoundaries(email.MailDate(), 0)) {
            WriteLog(std::string(kind.procedure) + " : no date in message " + id);
        }
        return true;
    }
    if (seen.Exists(id)) {
        return true;
    }
    const std::string text = reader.getBody(email.DataOffset());
    if (email.DataOffset() != CEmail::kNoText && reader.ErrNo() != "0") {
        return false;
    }
    if (kind.senders) {
        RegisterSenders(email.SenderEMail());
    } else {
        RegisterRecipients(email.RecipientEMail());
    }
    // Recorded only once the engine has taken the text: a feed that failed is
    // tried again at the next run.
    Engine().KX_addMessage2(gEngine, text, kind.weight, 0);
    seen.Add(id);
    return true;
}

void Scan(const ScanKind& kind, const std::string& path) {
    if (!ScanSwitchOn(SwitchValue(kind.switchName))) {
        return;
    }
    const std::string errorPrefix = LogTrap::ProcedurePrefix(kind.procedure);
    CDbx reader;
    FileList seen;
    bool seenLoaded = false;
    LogTrap::Trap(errorPrefix, " : ", [&] {
        if (ScanState::DetailLogging()) {
            WriteLog(std::string(kind.procedure) + " : dbx_file = " + path);
        }
        if (!reader.openFile(path, false)) {
            ReportOpenFailure(reader, LoadResText(kind.openFailureId), kind.openFailureLog);
            return;
        }
        RequireSeenFileText(ConfPath(kind.seenFile));
        seen.FileLocation(ConfPath(kind.seenFile));
        seen.SortMode(SortedList::kNumeric);
        seen.Load();
        // Ids that could not be recorded would be fed again at every run:
        // the list is saved once before anything is fed, so a file that
        // cannot be written stops the scan here.
        seen.Save();
        seenLoaded = true;
        int unreadable = 0;
        for (const auto& email : reader.EMails()) {
            unreadable += FeedMessage(kind, reader, *email, seen) ? 0 : 1;
        }
        if (unreadable > 0) {
            WriteLog(std::string(kind.procedure) + " : " + std::to_string(unreadable) +
                     " messages skipped, their text could not be read: " + path);
        }
        if (reader.EMails().Count() == 0) {
            seen.Clear();
        }
    });
    // Saved also after an error, so what was fed is not fed again next run.
    if (seenLoaded) {
        LogTrap::Trap(errorPrefix, " : ", [&] { seen.Save(); });
    }
}

}  // namespace

void SetSwitchReader(SwitchReader reader) {
    CurrentSwitchReader() = std::move(reader);
}

void PreviousFrom(const std::string& path) {
    Scan(kInbox, path);
}

void ScanNewSentEmails(const std::string& path) {
    Scan(kSent, path);
}

std::string GetFolderFilename(const std::string& name) {
    std::string result;
    LogTrap::Trap(LogTrap::ProcedurePrefix("GetFolderFilename"), " : ", [&] {
        const std::string folders = gStoreRoot + "Folders.dbx";
        if (ScanState::DetailLogging()) {
            WriteLog("folders.dbx = " + folders);
        }
        CDbx reader;
        if (!reader.openFile(folders, false)) {
            ReportOpenFailure(reader, LoadResText(kStrUnableToOpen) + " " + folders, "Unable to open " + folders);
            return;
        }
        for (const auto& folder : reader.Folders()) {
            if (ScanState::DetailLogging()) {
                WriteLog(folder->name() + ":" + folder->FileName());
            }
            const std::string folderName = LowerCase(folder->name());
            if (folderName == name && LowerCase(folder->FileName()).rfind(folderName, 0) == 0) {
                result = folder->FileName();
                return;
            }
        }
    });
    return result;
}

}  // namespace modPelwardenMain
