// Arbitrary bytes as the daemon's configuration file: loading, reading the
// lists and saving must neither crash nor trip a sanitizer, no list entry may
// hold the separator, a file that is not text must be left alone, and the
// file must settle after the second save.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "Conf.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "MsgBox.h"

namespace {

void RemoveProgramDir();

// The program directory of every run: one scratch directory per process, in
// memory where there is such a file system, since every save flushes. Never
// destroyed, so that it outlives the clean-up at exit.
const std::string& ProgramDir() {
    static const std::string& dir = *new std::string([] {
        const std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/conf_fuzz_XXXXXX";
        if (!mkdtemp(pattern.data())) {
            abort();
        }
        std::filesystem::create_directory(pattern + "/conf");
        SetMsgBoxResponder([](const MsgBoxRequest&) { return MsgBoxResult::OK; });
        atexit(RemoveProgramDir);
        return pattern;
    }());
    return dir;
}

void RemoveProgramDir() {
    std::error_code ignored;
    std::filesystem::remove_all(ProgramDir(), ignored);
}

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
    KXProxyConf conf(ProgramDir());
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = ProgramDir() + "/conf/brindlecote.conf";
    FileSystem::WriteWholeFile(path, std::string(reinterpret_cast<const char*>(data), size));
    // The first save may drop lines of empty values whose keys the next
    // load fills with defaults; from then on the file stays as it is.
    LoadAndSave(path);
    const std::string settled = LoadAndSave(path);
    if (LoadAndSave(path) != settled) {
        abort();
    }
    return 0;
}
