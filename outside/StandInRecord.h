#pragma once
#include <string>

// What a stand-in went through, one line at a time, in a file beside it named
// after the program with ".record" (kx_daemon.exe: kx_daemon.record), so a
// test can read what happened.
void Record(const std::string& line);

// The directory of the running program, without a trailing backslash.
std::string ProgramDirectory();
