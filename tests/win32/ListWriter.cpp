// Test helper: changes a list file as the programs do, so that tests can run
// several writers of one list at once.
//   ListWriter <list> add <prefix> <count>  adds <prefix>1@example.com up to
//                                           <prefix><count>@example.com, one
//                                           AddressList::Add each, as the
//                                           console's dialogs add entries
//   ListWriter <list> hold <entry> <ms>     one change that keeps the list's
//                                           lock for <ms> after catching up:
//                                           <list>.held appears, then the
//                                           entry is added and saved
// Exit code 0 when every change was made; 2 when one raised; 3 when a
// message box would have been shown (each box's text is printed).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "AddressList.h"
#include "FileList.h"
#include "FileSystem.h"
#include "MsgBox.h"
#include "ObjectError.h"

namespace {

bool gBoxShown = false;

int AddEntries(const std::string& path, const std::string& prefix, int count) {
    AddressList list;
    list.FileLocation(path);
    list.Load();
    for (int n = 1; n <= count; ++n) {
        list.Add(prefix + std::to_string(n) + "@example.com");
    }
    return 0;
}

int HoldWhileChanging(const std::string& path, const std::string& entry, DWORD milliseconds) {
    FileList list;
    list.FileLocation(path);
    list.Load();
    list.Update([&] {
        FileSystem::WriteWholeFile(path + ".held", "");
        Sleep(milliseconds);
        list.Add(entry);
        list.Save();
    });
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        return 1;
    }
    SetMsgBoxResponder([](const MsgBoxRequest& box) {
        std::printf("box: %s: %s\n", box.title.c_str(), box.text.c_str());
        gBoxShown = true;
        return MsgBoxResult::OK;
    });
    const std::string path = argv[1];
    const std::string mode = argv[2];
    int result = 1;
    try {
        if (mode == "add") {
            result = AddEntries(path, argv[3], std::atoi(argv[4]));
        } else if (mode == "hold") {
            result = HoldWhileChanging(path, argv[3], static_cast<DWORD>(std::atoi(argv[4])));
        }
    } catch (const ObjectError& error) {
        std::printf("error %d: %s\n", error.Number(), error.Description().c_str());
        return 2;
    }
    return gBoxShown ? 3 : result;
}
