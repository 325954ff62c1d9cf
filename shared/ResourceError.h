#pragma once
#include <string>

#include "ObjectError.h"

// The error of a resource the program does not hold.
inline ObjectError ResourceNotFound(const std::string& what) {
    return ObjectError(326, "LoadRes", "Resource with identifier '" + what + "' not found");
}
