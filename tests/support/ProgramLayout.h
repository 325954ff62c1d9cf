#pragma once
#include <string>
#include <vector>

// A program directory of its own for one test: copies of the built programs
// and stand-ins, and a conf directory with the shipped default file. What the
// programs write (logs, records, configuration) stays in it, never in the
// built program directory the user runs.
class ProgramLayout {
public:
    // Lays out build/.../dist_<name> afresh with the given files of the built
    // program directory. Each caller gives its own name.
    ProgramLayout(const std::string& name, const std::vector<std::string>& programs);

    // One layout of that name for all the tests of an executable: laid out
    // afresh on first use, the same directory from then on.
    static const ProgramLayout& Shared(const std::string& name, const std::vector<std::string>& programs);

    // Adds a copy of a stand-in that only tests start.
    void AddTestProgram(const std::string& program) const;

    const std::string& Directory() const { return directory_; }
    std::string Path(const std::string& relative) const { return directory_ + "\\" + relative; }
    void Write(const std::string& relative, const std::string& content) const;
    bool Exists(const std::string& relative) const;
    std::string Read(const std::string& relative) const;

private:
    std::string directory_;
};
