#pragma once
#include <string>

// The console's start-up module and its small shared procedures.
namespace modMain {

// The text with its first "%1" replaced by the argument; a second "%1" stays.
std::string SubstituteArg(const std::string& text, const std::string& argument);

}  // namespace modMain
