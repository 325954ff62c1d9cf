#pragma once
#include <string>

namespace SingleInstance {

// Takes the named mutex for the rest of the process's life; true when another
// process holds it already. When the mutex cannot be made at all the answer
// is true as well: a program that cannot tell it is alone does not start, so
// two copies never share the same files. The answer for a name is the one
// its first call gave.
bool AnotherInstanceRuns(const std::string& mutexName);

}  // namespace SingleInstance
