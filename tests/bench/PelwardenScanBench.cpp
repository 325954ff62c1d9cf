// A whole scan of a 100,000-message Inbox and Sent Items pair, as a run
// makes it: open, filter, look up and record every id, feed every text (to
// an engine that only counts). Beside it the plain read of the same files,
// and the seen-id bookkeeping alone at growing sizes, which must stay
// O(n log n).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "DbxWriter.h"
#include "PlainRead.h"
#include "FileList.h"
#include "FileSystem.h"
#include "SortedList.h"
#include "modPelwardenMain.h"

namespace {

using namespace modPelwardenMain;

const std::int32_t kMessages = 100000;
const std::size_t kTextSize = 1000;
const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "pelwarden_bench_100k";
// The stores' messages are an hour old at this clock.
const std::int64_t kNow = 1773136800;

class CountingEngine : public Fendrake {
public:
    std::int32_t KX_constructor(const std::string&, const std::string&) override { return 1; }
    void KX_initialize(std::int32_t) override {}
    void KX_getSpamAddrFrom(std::int32_t, std::string&, std::int32_t& found) override { found = 0; }
    void KX_addSpamAddrFrom(std::int32_t, std::string&, std::int32_t, std::int32_t) override {}
    void KX_addSpamAddrTo(std::int32_t, std::string&, std::int32_t, std::int32_t) override {}
    void KX_addMessage2(std::int32_t, const std::string& text, std::int32_t, std::int32_t) override {
        ++fed;
        bytes += text.size();
    }
    void KX_getOption(std::int32_t, const std::string&, std::string&, std::int32_t&) override {}
    void KX_destructor(std::int32_t) override {}

    std::int64_t fed = 0;
    std::int64_t bytes = 0;
};

std::string StorePath(const char* name) {
    return (kFolder / "store" / name).string();
}

void WriteStore(const char* name) {
    using W = DbxWriter;
    W writer(W::Kind::Messages);
    const std::uint64_t hourAgo = static_cast<std::uint64_t>(kNow - 3600 + 11644473600LL) * 10000000ULL;
    for (std::int32_t id = 1; id <= kMessages; ++id) {
        const std::string n = std::to_string(id);
        std::string text = "Subject: message " + n + "\r\n\r\n";
        text.resize(kTextSize, 'x');
        writer.Add(W::Message(id,
                              {W::Text(0x08, "message " + n), W::Text(0x0E, "Sender" + n + "@Example.org"),
                               W::Date(0x12, hourAgo), W::Text(0x14, "<to" + n + "@example.org>; b@c")},
                              text));
    }
    writer.Save(StorePath(name) + ".part");
    std::filesystem::rename(StorePath(name) + ".part", StorePath(name));
}

// Made once in the temporary folder, by a child process so that the
// writer's memory is not this process's.
void MakeStores() {
    static const bool made = [] {
        std::filesystem::create_directories(kFolder / "store");
        std::filesystem::create_directories(kFolder / "conf");
        if (std::filesystem::exists(StorePath("Sent Items.dbx"))) {
            return true;
        }
        const pid_t child = fork();
        if (child == 0) {
            WriteStore("Inbox.dbx");
            WriteStore("Sent Items.dbx");
            _exit(0);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    if (!made) {
        std::fprintf(stderr, "cannot write the stores in %s\n", kFolder.c_str());
        std::exit(1);
    }
    SetProgramFolder(kFolder.string());
    SetClock([] { return kNow; });
    gScanLimit = 0;
}

double StoreBytes() {
    return static_cast<double>(std::filesystem::file_size(StorePath("Inbox.dbx")) +
                               std::filesystem::file_size(StorePath("Sent Items.dbx")));
}

std::vector<std::string> Stores() {
    return {StorePath("Inbox.dbx"), StorePath("Sent Items.dbx")};
}

void BM_PlainRead(benchmark::State& state) {
    MakeStores();
    std::vector<char> buffer = PlainRead::Buffer();
    for (auto _ : state) {
        for (const std::string& path : Stores()) {
            benchmark::DoNotOptimize(PlainRead::Stream(path, buffer));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoreBytes()));
}

// A run over both stores; state.range(0): 1 when every id is already seen.
void BM_WholeScan(benchmark::State& state) {
    MakeStores();
    const bool seen = state.range(0) == 1;
    const double plain = PlainRead::Seconds(Stores());
    double scanning = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!seen) {
            FileSystem::DeleteFileIfPresent(ConfPath("oeinbox"));
            FileSystem::DeleteFileIfPresent(ConfPath("oesent"));
        }
        auto engine = std::make_unique<CountingEngine>();
        CountingEngine& counted = *engine;
        SetEngine(std::move(engine));
        gEngine = 1;
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        PreviousFrom(StorePath("Inbox.dbx"));
        ScanNewSentEmails(StorePath("Sent Items.dbx"));
        scanning += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (counted.fed != (seen ? 0 : 2 * kMessages)) {
            state.SkipWithError("the scan fed the wrong number of messages");
            break;
        }
    }
    state.counters["plain_read_ms"] = plain * 1000;
    state.counters["x_plain_read"] = scanning / static_cast<double>(state.iterations()) / plain;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoreBytes()));
}

// Load n seen ids, look each of n new ids up and add it, save: one scan's bookkeeping.
void BM_SeenBookkeeping(benchmark::State& state) {
    MakeStores();
    const auto n = static_cast<std::int32_t>(state.range(0));
    std::string file;
    for (std::int32_t id = 1; id <= n; ++id) {
        file += std::to_string(id * 2) + "\r\n";
    }
    FileSystem::WriteWholeFile(ConfPath("bench_seen"), file);
    for (auto _ : state) {
        FileList seen;
        seen.FileLocation(ConfPath("bench_seen"));
        seen.SortMode(SortedList::kNumeric);
        seen.Load();
        for (std::int32_t id = 1; id <= n; ++id) {
            const std::string key = std::to_string(id * 2 + 1);
            if (!seen.Exists(key)) {
                seen.Add(key);
            }
        }
        seen.Save(ConfPath("bench_seen_out"));
    }
    state.SetComplexityN(n);
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WholeScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SeenBookkeeping)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 18)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
