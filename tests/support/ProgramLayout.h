#pragma once
#include <string>
#include <vector>

// A program directory of its own for one test: copies of the built programs
// and stand-ins, and a conf directory with the shipped default file.
class ProgramLayout {
public:
    // Lays out build/.../<name> afresh with the given files of the built
    // program directory.
    ProgramLayout(const std::string& name, const std::vector<std::string>& programs);

    const std::string& Directory() const { return directory_; }
    std::string Path(const std::string& relative) const { return directory_ + "\\" + relative; }
    void Write(const std::string& relative, const std::string& content) const;
    bool Exists(const std::string& relative) const;
    std::string Read(const std::string& relative) const;

private:
    std::string directory_;
};
