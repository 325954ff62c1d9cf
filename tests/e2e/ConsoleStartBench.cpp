// How long the console takes to show its window over big settings, as a
// user waits for it: from starting Admin.exe to its window and the last
// line of its start-up in the log. Built with the tests, run by hand:
//   bash cmake/wine-run.sh build/mingw/tests/e2e/console_start_bench.exe [runs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ProcessDriver.h"
#include "ProgramLayout.h"

namespace {

constexpr int kLongList = 20000;
constexpr DWORD kPatience = 120000;
const std::vector<std::string> kPrograms = {"Admin.exe", "Launcher.exe", "kx_daemon.exe"};

std::string Megabyte() {
    return std::string(1 << 20, '1');
}

std::string Entries(const char* format, const char* separator, int count = kLongList) {
    std::string entries;
    for (int i = 0; i < count; ++i) {
        char entry[64];
        std::snprintf(entry, sizeof entry, format, i / 250, i % 250);
        if (i > 0) {
            entries += separator;
        }
        entries += entry;
    }
    return entries;
}

// The file with each key's value made by the change (key, old value).
std::string EachValue(const std::string& conf,
                      const std::function<std::string(const std::string&, const std::string&)>& change) {
    std::string result;
    std::size_t start = 0;
    while (start < conf.size()) {
        std::size_t end = conf.find('\n', start);
        end = end == std::string::npos ? conf.size() : end + 1;
        std::string line = conf.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (line[0] != '#' && equals != std::string::npos) {
            std::string value = line.substr(equals + 1);
            const std::size_t cut = value.find_first_of("\r\n");
            const std::string ending = cut == std::string::npos ? "" : value.substr(cut);
            value = value.substr(0, cut);
            line = line.substr(0, equals + 1) + change(line.substr(0, equals), value) + ending;
        }
        result += line;
        start = end;
    }
    return result;
}

struct Case {
    const char* name;
    std::function<void(const ProgramLayout&, const std::string& defaults)> seed;
};

const Case kCases[] = {
    {"default start", [](const ProgramLayout& layout,
                         const std::string& defaults) { layout.Write("conf\\brindlecote.conf", defaults); }},
    {"20,000 blocked IPs",
     [](const ProgramLayout& layout, const std::string& defaults) {
         layout.Write("conf\\brindlecote.conf",
                      EachValue(defaults, [](const std::string& key, const std::string& value) {
                          return key == "blocked_ip_list" ? Entries("10.%d.%d.1", ",") : value;
                      }));
     }},
    {"20,000 blocklist zones, half of them used",
     [](const ProgramLayout& layout, const std::string& defaults) {
         layout.Write("conf\\brindlecote.conf",
                      EachValue(defaults, [](const std::string& key, const std::string& value) {
                          if (key == "available_rbl_list") {
                              return Entries("zone%d.%d.example", ",");
                          }
                          return key == "rbl_list" ? Entries("zone%d.%d.example", ",", kLongList / 2) : value;
                      }));
     }},
    {"20,000 blocked senders",
     [](const ProgramLayout& layout, const std::string& defaults) {
         layout.Write("conf\\brindlecote.conf", defaults);
         layout.Write("conf\\blocked_senders", Entries("sender%d.%d@example.com", "\r\n") + "\r\n");
     }},
    {"a megabyte of digits in proxy_server",
     [](const ProgramLayout& layout, const std::string& defaults) {
         layout.Write("conf\\brindlecote.conf",
                      EachValue(defaults, [](const std::string& key, const std::string& value) {
                          return key == "proxy_server" ? Megabyte() : value;
                      }));
     }},
    {"a megabyte of digits in every setting",
     [](const ProgramLayout& layout, const std::string& defaults) {
         layout.Write("conf\\brindlecote.conf",
                      EachValue(defaults, [](const std::string&, const std::string&) { return Megabyte(); }));
     }},
};

double Seconds(ULONGLONG from) {
    return static_cast<double>(GetTickCount64() - from) / 1000.0;
}

// Seconds to the window with its start-up done, or a negative figure when
// it did not come in time.
double TimedStart(const ProgramLayout& layout) {
    const ULONGLONG started = GetTickCount64();
    ChildProcess admin(layout.Path("Admin.exe"), "");
    HWND window = nullptr;
    const bool shown = WaitUntil(
        [&] {
            window = ConsoleWindowOf(admin.Id());
            return window != nullptr && layout.Read("console.txt").find("Loaded Startup Form") != std::string::npos;
        },
        kPatience);
    const double seconds = shown ? Seconds(started) : -1;
    if (window != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (!admin.WaitForExit(20000)) {
        admin.Kill();
    }
    EndProcessesNamed("Launcher.exe");
    EndProcessesNamed("kx_daemon.exe");
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const ProgramLayout layout("console_start_bench", kPrograms);
    const std::string defaults = layout.Read("conf\\default_brindlecote.conf");
    for (const Case& c : kCases) {
        std::printf("%-40s", c.name);
        for (int run = 0; run < runs; ++run) {
            DeleteFileA(layout.Path("console.txt").c_str());
            c.seed(layout, defaults);
            const double seconds = TimedStart(layout);
            if (seconds < 0) {
                std::printf("  >%lu s", kPatience / 1000);
                break;
            }
            std::printf("  %6.2f s", seconds);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
