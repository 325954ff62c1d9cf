// A whole pass over a large message store, the way a scan reads it: open
// without texts, then every message's fields and text. Beside it, the time
// of simply reading the same file as cat does, the pass's time as a multiple
// of that (x_plain_read, goal at most 2), and the process's peak memory as a
// multiple of the file (peak_per_file, goal at most 1.25).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "CDbx.h"
#include "DbxWriter.h"
#include "PlainRead.h"
#include "ScanState.h"

namespace {

const std::int32_t kMessages = 100000;
// About 10 kB a message: close to 1 GB in all.
const std::size_t kTextSize = 9600;
const std::string kStorePath = (std::filesystem::temp_directory_path() / "dbx_bench_100k.dbx").string();

std::string MessageText(std::int32_t id) {
    std::string text =
        "From: sender" + std::to_string(id) + "@example.org\r\nSubject: message " + std::to_string(id) + "\r\n\r\n";
    while (text.size() < kTextSize) {
        text += "A line of text in message " + std::to_string(id) + ", as long as lines of mail often are.\r\n";
    }
    text.resize(kTextSize);
    return text;
}

void WriteStore(const std::string& path) {
    using W = DbxWriter;
    W writer(W::Kind::Messages);
    for (std::int32_t id = 1; id <= kMessages; ++id) {
        const std::string n = std::to_string(id);
        writer.Add(
            W::Message(id,
                       {W::Byte(0x01, 1), W::Text(0x07, "<" + n + "@example.org>"), W::Text(0x08, "message " + n),
                        W::Text(0x0D, "Sender " + n), W::Text(0x0E, "sender" + n + "@example.org"),
                        W::Date(0x12, 127414585890000000 + 10000000ull * static_cast<std::uint64_t>(id)),
                        W::Text(0x13, "Recipient"), W::Text(0x14, "me@example.org"), W::Text(0x1A, "Account"),
                        W::Text(0x1B, "00000001")},
                       MessageText(id)));
    }
    writer.Save(path + ".part");
    std::filesystem::rename(path + ".part", path);
}

// The store is made once and kept in the temporary folder. It is written
// by a child process, so that the writer's memory does not count in this
// process's peak.
const std::string& Store() {
    static const bool made = [] {
        if (std::filesystem::exists(kStorePath)) {
            return true;
        }
        const pid_t child = fork();
        if (child == 0) {
            WriteStore(kStorePath);
            _exit(0);
        }
        int status = 0;
        return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    if (!made) {
        std::fprintf(stderr, "cannot write %s\n", kStorePath.c_str());
        std::exit(1);
    }
    return kStorePath;
}

double FileSize() {
    return static_cast<double>(std::filesystem::file_size(Store()));
}

void ReportMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) * 1024;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_file"] = peak / FileSize();
}

void BM_PlainRead(benchmark::State& state) {
    const std::string& path = Store();
    std::vector<char> buffer = PlainRead::Buffer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlainRead::Stream(path, buffer));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileSize()));
    ReportMemory(state);
}

void BM_ReadWholeStore(benchmark::State& state) {
    const std::string& path = Store();
    // The memory rule is the loader's business; here every store loads.
    ScanState::gScanLimit = INT32_MAX;
    const double plain = PlainRead::Seconds({path});
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        CDbx dbx;
        if (!dbx.openFile(path, false) || dbx.EMails().Count() != kMessages) {
            state.SkipWithError("the store did not open whole");
            break;
        }
        std::size_t bytes = 0;
        for (const auto& email : dbx.EMails()) {
            bytes += email->Subject().size() + email->SenderEMail().size() + email->MailDate().size();
            bytes += dbx.getBody(email->DataOffset()).size();
        }
        if (bytes < kMessages * kTextSize) {
            state.SkipWithError("message texts are missing");
            break;
        }
    }
    const double pass = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.counters["plain_read_ms"] = plain * 1000;
    state.counters["x_plain_read"] = pass / plain;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileSize()));
    ReportMemory(state);
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReadWholeStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
