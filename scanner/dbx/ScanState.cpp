#include "ScanState.h"

#include <utility>

namespace ScanState {

std::int16_t gDebugLevel = 0;
std::int64_t gScanLimit = 0;

namespace {
StatusWriter& Writer() {
    static StatusWriter writer;
    return writer;
}
}  // namespace

bool DetailLogging() {
    return gDebugLevel > 7;
}

void SetStatusWriter(StatusWriter writer) {
    Writer() = std::move(writer);
}

void ShowStatus(const std::string& text) {
    if (Writer()) {
        Writer()(text);
    }
}

}  // namespace ScanState
