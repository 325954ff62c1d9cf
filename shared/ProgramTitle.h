#pragma once
#include <string>

// The program's title on its message boxes: the product caption of its own
// string table.
std::string ProgramTitle();
