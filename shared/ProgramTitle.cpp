#include "ProgramTitle.h"

#include "Resources.h"

std::string ProgramTitle() {
    return LoadResText(101);
}
