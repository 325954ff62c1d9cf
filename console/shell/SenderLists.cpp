#include "SenderLists.h"

#include "AddressList.h"
#include "FileSystem.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProgramTitle.h"
#include "modFileAttributes.h"
#include "modMain.h"

namespace SenderLists {

namespace {

struct ListFile {
    std::shared_ptr<AddressList>* list;
    const char* file;
    std::uint64_t* stamp;
    const char* reloadMessage;
};

const ListFile& Of(SenderList which) {
    static const ListFile files[] = {
        {&modMain::gApprovedSenders, "\\conf\\approved_senders", &modMain::gApprovedSendersStamp, "KX_BALIIST_RELOAD"},
        {&modMain::gBlockedSenders, "\\conf\\blocked_senders", &modMain::gBlockedSendersStamp, "KX_BALIIST_RELOAD"},
        {&modMain::gIgnoredSenders, "\\conf\\brindlecoteignored.txt", &modMain::gIgnoredSendersStamp,
         "KX_BALIIST_RELOAD"},
        {&modMain::gToMeAddresses, "\\conf\\brindlecotetome.txt", nullptr, "KX_ENGINE_RELOAD"},
    };
    return files[static_cast<int>(which)];
}

}  // namespace

AddressList& List(SenderList which) { return **Of(which).list; }

std::string FilePath(SenderList which) { return FileSystem::ProgramDirectory() + Of(which).file; }

const char* ReloadMessage(SenderList which) { return Of(which).reloadMessage; }

void CatchUp(SenderList which) {
    const ListFile& file = Of(which);
    if (file.stamp == nullptr || modFileAttributes::GetFileDateTime(FilePath(which)) == *file.stamp) {
        return;
    }
    List(which).Clear();
    List(which).Load();
    RecordStamp(which);
}

void RecordStamp(SenderList which) {
    if (std::uint64_t* stamp = Of(which).stamp) {
        *stamp = modFileAttributes::GetFileDateTime(FilePath(which));
    }
}

bool Change(SenderList which, const std::function<void()>& change) {
    try {
        change();
        return true;
    } catch (const ObjectError& error) {
        MsgBox(error.Description(), MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
        List(which).Clear();
        List(which).Load();
        return false;
    }
}

}  // namespace SenderLists
