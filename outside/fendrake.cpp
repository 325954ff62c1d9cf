// Stand-in for the maker's scoring engine. It trains nothing; it keeps what
// the scanner feeds it in plain files of the conf directory it was created
// for, so tests can see each call's effect:
//   fendrake.totals    "wordtraining_totalspam=N" and "wordtraining_totalham=N"
//   fendrake.from      sender addresses, one a line
//   fendrake.to        recipient addresses, one a line
//   fendrake.messages  one line per message fed: its weight and its subject
// The files are read by the constructor and written by the destructor.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Engine {
    std::string confDir;
    std::int64_t totalSpam = 0;
    std::int64_t totalHam = 0;
    std::vector<std::string> from;
    std::set<std::string> fromSet;
    std::vector<std::string> to;
    std::set<std::string> toSet;
    std::string messages;
};

// Handles are small integers (1, 2, ...): the caller keeps them in 32 bits.
std::vector<std::unique_ptr<Engine>>& Engines() {
    static std::vector<std::unique_ptr<Engine>> engines;
    return engines;
}

Engine* Find(std::int32_t handle) {
    auto& engines = Engines();
    if (handle < 1 || static_cast<std::size_t>(handle) > engines.size()) {
        return nullptr;
    }
    return engines[static_cast<std::size_t>(handle) - 1].get();
}

std::string PathOf(const Engine& engine, const char* name) {
    return engine.confDir + "\\" + name;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

void LoadAddresses(const std::string& path, std::vector<std::string>& list, std::set<std::string>& known) {
    for (const std::string& address : ReadLines(path)) {
        if (known.insert(address).second) {
            list.push_back(address);
        }
    }
}

std::int64_t NumberAfter(const std::string& line, const std::string& name) {
    return std::strtoll(line.c_str() + name.size(), nullptr, 10);
}

void Load(Engine& engine) {
    for (const std::string& line : ReadLines(PathOf(engine, "fendrake.totals"))) {
        if (line.rfind("wordtraining_totalspam=", 0) == 0) {
            engine.totalSpam = NumberAfter(line, "wordtraining_totalspam=");
        } else if (line.rfind("wordtraining_totalham=", 0) == 0) {
            engine.totalHam = NumberAfter(line, "wordtraining_totalham=");
        }
    }
    LoadAddresses(PathOf(engine, "fendrake.from"), engine.from, engine.fromSet);
    LoadAddresses(PathOf(engine, "fendrake.to"), engine.to, engine.toSet);
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
}

void Save(const Engine& engine) {
    WriteLines(PathOf(engine, "fendrake.totals"), {"wordtraining_totalspam=" + std::to_string(engine.totalSpam),
                                                   "wordtraining_totalham=" + std::to_string(engine.totalHam)});
    WriteLines(PathOf(engine, "fendrake.from"), engine.from);
    WriteLines(PathOf(engine, "fendrake.to"), engine.to);
    std::ofstream(PathOf(engine, "fendrake.messages"), std::ios::binary | std::ios::app) << engine.messages;
}

// The message's "Subject:" header, or "" when it has none before the body.
std::string SubjectOf(const char* text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            break;
        }
        if (_strnicmp(line.c_str(), "Subject:", 8) == 0) {
            const std::size_t start = line.find_first_not_of(' ', 8);
            return start == std::string::npos ? "" : line.substr(start);
        }
    }
    return "";
}

void Remember(const char* address, std::vector<std::string>& list, std::set<std::string>& known) {
    if (address != nullptr && known.insert(address).second) {
        list.push_back(address);
    }
}

}  // namespace

extern "C" {

std::int32_t KX_constructor(const char* product, const char* confDir) {
    if (product == nullptr || confDir == nullptr || *confDir == '\0') {
        return 0;
    }
    auto engine = std::make_unique<Engine>();
    engine->confDir = confDir;
    Load(*engine);
    Engines().push_back(std::move(engine));
    return static_cast<std::int32_t>(Engines().size());
}

std::int32_t KX_initialize(std::int32_t handle) {
    return Find(handle) != nullptr ? 0 : -1;
}

std::int32_t KX_getSpamAddrFrom(std::int32_t handle, char* address, std::int32_t* found) {
    Engine* engine = Find(handle);
    if (engine == nullptr || address == nullptr || found == nullptr) {
        return -1;
    }
    *found = engine->fromSet.count(address) != 0 ? 1 : 0;
    return 0;
}

std::int32_t KX_addSpamAddrFrom(std::int32_t handle, char* address, std::int32_t, std::int32_t) {
    Engine* engine = Find(handle);
    if (engine == nullptr) {
        return -1;
    }
    Remember(address, engine->from, engine->fromSet);
    return 0;
}

std::int32_t KX_addSpamAddrTo(std::int32_t handle, char* address, std::int32_t, std::int32_t) {
    Engine* engine = Find(handle);
    if (engine == nullptr) {
        return -1;
    }
    Remember(address, engine->to, engine->toSet);
    return 0;
}

// A negative weight trains the message as good mail, a positive one as spam.
std::int32_t KX_addMessage2(std::int32_t handle, const char* text, std::int32_t weight, std::int32_t flag) {
    Engine* engine = Find(handle);
    if (engine == nullptr || text == nullptr) {
        return -1;
    }
    (weight < 0 ? engine->totalHam : engine->totalSpam) += 1;
    engine->messages += std::to_string(weight) + " " + std::to_string(flag) + " " + SubjectOf(text) + "\r\n";
    return 0;
}

// Writes the option's value as decimal text, cut to fit the buffer's size
// (its closing NUL included); *size becomes the length written.
std::int32_t KX_getOption(std::int32_t handle, const char* name, char* buffer, std::int32_t* size) {
    Engine* engine = Find(handle);
    if (engine == nullptr || name == nullptr || buffer == nullptr || size == nullptr || *size < 1) {
        return -1;
    }
    std::string value;
    if (std::strcmp(name, "wordtraining_totalspam") == 0) {
        value = std::to_string(engine->totalSpam);
    } else if (std::strcmp(name, "wordtraining_totalham") == 0) {
        value = std::to_string(engine->totalHam);
    } else {
        return -1;
    }
    const std::size_t room = static_cast<std::size_t>(*size) - 1;
    const std::size_t length = value.size() < room ? value.size() : room;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    *size = static_cast<std::int32_t>(length);
    return 0;
}

std::int32_t KX_destructor(std::int32_t handle) {
    Engine* engine = Find(handle);
    if (engine == nullptr) {
        return -1;
    }
    Save(*engine);
    Engines()[static_cast<std::size_t>(handle) - 1].reset();
    return 0;
}

}  // extern "C"
