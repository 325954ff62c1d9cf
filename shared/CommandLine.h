#pragma once
#include <string>

// Splitting a command line into arguments: blanks separate them (tabs are
// ordinary characters), double quotes group blanks into one and never become
// part of an argument, and a quoted argument still open at the end counts.
namespace CommandLine {

int GetArgCount(const std::string& commandLine);

// The argument at the 1-based index; "" when there is none.
std::string GetArg(const std::string& commandLine, int index);

}  // namespace CommandLine
