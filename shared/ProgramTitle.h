#pragma once
#include <string>

// The program's title on its message boxes: the text of the string its own
// start names (the console's is 102), else the product caption, 101.
std::string ProgramTitle();
void SetProgramTitle(int stringId);
