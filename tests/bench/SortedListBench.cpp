#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "FileList.h"
#include "FileSystem.h"
#include "SortedList.h"

namespace {

const int kAddresses = 50000;

// A long sender list file in a directory of its own, removed at exit.
class LongListFile {
public:
    LongListFile() : dir_(std::filesystem::temp_directory_path() / ("sorted_list_bench_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir_);
        std::string text;
        for (int i = 0; i < kAddresses; ++i) {
            const int n = (i * 7919) % kAddresses;
            text += "  Sender" + std::to_string(n) + "@Domain" + std::to_string(n % 97) + ".example\r\n";
        }
        FileSystem::WriteWholeFile(Path(), text);
    }
    ~LongListFile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Path() const { return (dir_ / "blocked_senders").string(); }

private:
    std::filesystem::path dir_;
};

const LongListFile& TheLongList() {
    static const LongListFile file;
    return file;
}

// Appends, each followed by a lookup, in numeric mode: the way the scanner
// fills its seen-id lists.
void BM_SortedListAddExistsNumeric(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        SortedList list;
        int found = 0;
        for (int i = 0; i < n; ++i) {
            const int key = (i * 7919) % n;
            list.Add(std::to_string(key), std::int32_t{0});
            found += list.Exists(std::to_string((key * 31) % n)) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SortedListAddExistsNumeric)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FileListLoadLongList(benchmark::State& state) {
    const std::string path = TheLongList().Path();
    for (auto _ : state) {
        FileList list;
        list.FileLocation(path);
        list.Load();
        benchmark::DoNotOptimize(list.Exists("sender1@domain1.example"));
    }
}
BENCHMARK(BM_FileListLoadLongList)->Unit(benchmark::kMillisecond);

void BM_FileListSaveLongList(benchmark::State& state) {
    FileList list;
    list.FileLocation(TheLongList().Path());
    list.Load();
    for (auto _ : state) {
        list.Save();
    }
}
BENCHMARK(BM_FileListSaveLongList)->Unit(benchmark::kMillisecond);

}  // namespace
