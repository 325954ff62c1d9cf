// Test helper: saves a configuration file again and again, so that a test
// can kill it in the middle of a save.
//   ConfSaveLoop <path> once <0|1>  saves that version once and ends
//   ConfSaveLoop <path> loop        saves the versions in turn until killed;
//                                   <path>.ready appears after the first save
#include <cstdlib>
#include <string>

#include "Conf.h"
#include "FileSystem.h"

namespace {

// Long values, so that most of a save is spent writing the file out.
const int kSettings = 200;
const std::size_t kValueLength = 20000;

void SaveVersion(Conf& conf, int version) {
    for (int i = 0; i < kSettings; ++i) {
        std::string value = "version " + std::to_string(version) + " of setting " + std::to_string(i) + " ";
        value.resize(kValueLength, static_cast<char>('a' + version));
        conf.SetValue("setting" + std::to_string(i), value);
    }
    if (!conf.Save()) {
        std::exit(2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 1;
    }
    const std::string path = argv[1];
    const std::string mode = argv[2];
    Conf conf;
    conf.ConfigFile(path);
    conf.Load();
    if (mode == "once" && argc == 4) {
        SaveVersion(conf, std::atoi(argv[3]));
        return 0;
    }
    if (mode != "loop") {
        return 1;
    }
    SaveVersion(conf, 1);
    FileSystem::WriteWholeFile(path + ".ready", "");
    for (int version = 0;; version = 1 - version) {
        SaveVersion(conf, version);
    }
}
