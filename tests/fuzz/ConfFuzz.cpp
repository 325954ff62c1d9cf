// Arbitrary bytes as the daemon's configuration file: loading, reading the
// lists and saving must neither crash nor trip a sanitizer, no list entry may
// hold the separator, a file that is not text must be left alone, and the
// file must settle after the second save.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "Conf.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "MsgBox.h"

namespace {

// The files live in memory (MemoryFileSystem.cpp), so the paths name no disk.
const char kProgramDir[] = "/fuzz";
const char kConfFile[] = "/fuzz/conf/brindlecote.conf";

void CheckEntries(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) {
        if (entry.find(',') != std::string::npos) {
            abort();
        }
    }
}

// Loads the file, reads it as the console does, saves it; gives the result.
std::string LoadAndSave(const std::string& path) {
    const std::string before = FileSystem::ReadWholeFile(path);
    KXProxyConf conf(kProgramDir);
    conf.ConfigurationFile(path);
    conf.Load();
    conf.GetValue("listen_port");
    conf.GetValue("rbl_threshold");
    CheckEntries(conf.Get_Outgoing_Servers());
    if (conf.Get_Outgoing_Ports().size() != conf.Get_Outgoing_Servers().size()) {
        abort();
    }
    CheckEntries(conf.Get_Approved_IPs());
    CheckEntries(conf.Get_RBL_List());
    CheckEntries(conf.Get_Available_RBL_List());
    CheckEntries(conf.Get_Ignored_Country_List());
    CheckEntries(conf.Get_Blocked_Charset_List());
    // A file that is not text is refused and left as it was; any other is saved.
    const bool saved = conf.Save();
    const std::string after = FileSystem::ReadWholeFile(path);
    if (saved != Conf::ReadableAsText(before) || (!saved && after != before)) {
        abort();
    }
    return after;
}

}  // namespace

// Every box is answered at once, so no input waits on one.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetMsgBoxResponder([](const MsgBoxRequest&) { return MsgBoxResult::OK; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FileSystem::WriteWholeFile(kConfFile, std::string(reinterpret_cast<const char*>(data), size));
    // The first save may drop lines of empty values whose keys the next
    // load fills with defaults; from then on the file stays as it is. A
    // save depends on nothing but the file, so when the second save wrote
    // what the first did, the file has settled already.
    const std::string first = LoadAndSave(kConfFile);
    const std::string settled = LoadAndSave(kConfFile);
    if (settled != first && LoadAndSave(kConfFile) != settled) {
        abort();
    }
    return 0;
}
