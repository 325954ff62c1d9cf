#include "ProcessSearch.h"
#include "modMain.h"

namespace modMain {

bool IsProcessRunning(const std::string& name, std::uint32_t& processId) {
    return ProcessSearch::IsProcessRunning(name, gPlatformId, processId);
}

}  // namespace modMain
