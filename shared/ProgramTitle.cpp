#include "ProgramTitle.h"

#include "Resources.h"
#include "StringIds.h"

namespace {

int gTitleId = kStrProductTitle;

}  // namespace

std::string ProgramTitle() {
    return LoadResText(gTitleId);
}

void SetProgramTitle(int stringId) {
    gTitleId = stringId;
}
