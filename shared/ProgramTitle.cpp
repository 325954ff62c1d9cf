#include "ProgramTitle.h"

#include "Resources.h"
#include "StringIds.h"

std::string ProgramTitle() {
    return LoadResText(kStrProductTitle);
}
