#pragma once
#include <string>

// Texts of the program's string table, by id. An id the table does not hold
// raises ObjectError 326, as a missing resource does.
std::string LoadResText(int id);
