#include "AddressList.h"

#include "FileSystem.h"
#include "MsgBox.h"
#include "ProgramTitle.h"

void AddressList::FileLocation(const std::string& path) {
    list_.FileLocation(path);
}

void AddressList::Load() {
    list_.Load();
}

void AddressList::Add(const std::string& entry) {
    if (list_.Exists(entry)) {
        MsgBox("Entry is already on the list", MsgBoxStyle::OKOnly, ProgramTitle());
        return;
    }
    list_.Add(entry);
    list_.Save();
}

void AddressList::Remove(const std::string& entry) {
    if (!list_.Exists(entry)) {
        return;
    }
    do {
        list_.Remove(entry);
    } while (list_.Exists(entry));
    list_.Save();
}

bool AddressList::Exists(const std::string& entry) {
    return list_.Exists(entry);
}

std::vector<std::string> AddressList::Items() {
    return list_.Items();
}

std::int32_t AddressList::Count() const {
    return list_.Count();
}

void AddressList::Save(const std::string& path) {
    list_.Save(path);
}

void AddressList::Import(const std::string& path) {
    if (FileSystem::FileExists(path)) {
        for (const std::string& entry : ListFileEntries(FileSystem::ReadWholeFile(path))) {
            list_.Add(entry);
        }
    }
    list_.Save();
}

void AddressList::Clear() {
    list_.Clear();
}
