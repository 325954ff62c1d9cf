#include "SenderLists.h"

#include <iterator>

#include "AddressList.h"
#include "FileList.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProgramTitle.h"
#include "frmMainIds.h"
#include "modFileAttributes.h"
#include "modMain.h"

namespace SenderLists {

namespace {

// Everything the console knows of one list, in one row.
struct ListFile {
    std::shared_ptr<AddressList>* list;
    const char* name;
    std::uint64_t* stamp;
    const char* pageKey;
    int box;
    const char* reloadMessage;
};

const ListFile& Of(SenderList which) {
    static const ListFile files[] = {
        {&modMain::gApprovedSenders, "approved_senders", &modMain::gApprovedSendersStamp, "ApprovedSenders",
         IDC_lstApprovedSenders, "KX_BALIIST_RELOAD"},
        {&modMain::gBlockedSenders, "blocked_senders", &modMain::gBlockedSendersStamp, "BlockedSenders",
         IDC_lstBlockedSenders, "KX_BALIIST_RELOAD"},
        {&modMain::gIgnoredSenders, "brindlecoteignored.txt", &modMain::gIgnoredSendersStamp, "IgnoredSenders",
         IDC_lstIgnoredSenders, "KX_BALIIST_RELOAD"},
        {&modMain::gToMeAddresses, "brindlecotetome.txt", nullptr, "NotSentToMe", IDC_lstToAddresses,
         "KX_ENGINE_RELOAD"},
    };
    return files[static_cast<int>(which)];
}

// Whether the box for a list file that is not text has been shown, by list.
bool gNotTextShown[std::size(kAll)] = {};

void Report(SenderList which, const ObjectError& error) {
    if (error.Number() == FileList::kListNotText) {
        LogTrap::Write(
            LogTrap::ErrorLine(LogTrap::ProcedurePrefix("FileList.Save"), error.Number(), " : ", error.Description()));
        bool& shown = gNotTextShown[static_cast<int>(which)];
        if (shown) {
            return;
        }
        shown = true;
    }
    MsgBox(error.Description(), MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
}

}  // namespace

bool Exists(SenderList which) {
    return *Of(which).list != nullptr;
}

AddressList& List(SenderList which) {
    return **Of(which).list;
}

const char* FileName(SenderList which) {
    return Of(which).name;
}

std::string FilePath(SenderList which) {
    return FileSystem::ProgramDirectory() + "\\conf\\" + FileName(which);
}

const char* PageKey(SenderList which) {
    return Of(which).pageKey;
}

int Box(SenderList which) {
    return Of(which).box;
}

const char* ReloadMessage(SenderList which) {
    return Of(which).reloadMessage;
}

bool CatchUp(SenderList which) {
    const ListFile& file = Of(which);
    if (file.stamp == nullptr || !Exists(which) || modFileAttributes::GetFileDateTime(FilePath(which)) == *file.stamp) {
        return false;
    }
    List(which).Clear();
    List(which).Load();
    RecordStamp(which);
    return true;
}

void RecordStamp(SenderList which) {
    if (std::uint64_t* stamp = Of(which).stamp) {
        *stamp = modFileAttributes::GetFileDateTime(FilePath(which));
    }
}

bool Change(SenderList which, const std::function<void()>& change) {
    try {
        List(which).Update(change);
        return true;
    } catch (const ObjectError& error) {
        // Told outside the lock, so no other program waits on the box.
        Report(which, error);
        List(which).Clear();
        List(which).Load();
        return false;
    }
}

}  // namespace SenderLists
