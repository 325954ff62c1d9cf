#include "AddressList.h"

#include "Conf.h"
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
    bool present = false;
    list_.Update([&] {
        present = list_.Exists(entry);
        if (!present) {
            list_.Add(entry);
            list_.Save();
        }
    });
    // Told once the file is free again for the other programs.
    if (present) {
        MsgBox("Entry is already on the list", MsgBoxStyle::OKOnly, ProgramTitle());
    }
}

void AddressList::Remove(const std::string& entry) {
    list_.Update([&] {
        if (RemoveAll(entry)) {
            list_.Save();
        }
    });
}

void AddressList::Replace(const std::string& replaced, const std::string& entry) {
    list_.Update([&] {
        if (!replaced.empty()) {
            RemoveAll(replaced);
        }
        list_.Add(entry);
        list_.Save();
    });
}

void AddressList::Update(const std::function<void()>& change) {
    list_.Update(change);
}

bool AddressList::RemoveAll(const std::string& entry) {
    if (!list_.Exists(entry)) {
        return false;
    }
    do {
        list_.Remove(entry);
    } while (list_.Exists(entry));
    return true;
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
    const std::string text = FileSystem::FileExists(path) ? FileSystem::ReadWholeFile(path) : std::string();
    // Read line by line, a Unicode or binary file would give split, garbled
    // entries: it is refused whole.
    if (!Conf::ReadableAsText(text)) {
        throw ObjectError(75, "AddressList.Import", Conf::NotTextReason(path) + ", so nothing was imported from it.");
    }
    const std::vector<std::string> entries = ListFileEntries(text);
    list_.Update([&] {
        for (const std::string& entry : entries) {
            list_.Add(entry);
        }
        list_.Save();
    });
}

void AddressList::Clear() {
    list_.Clear();
}
