#include <utility>

#include "FileSystem.h"
#include "LogTrap.h"
#include "ObjectError.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

bool gShow = false;
std::string gStoreRoot;
std::int32_t gEngine = 0;

namespace {
std::unique_ptr<Fendrake>& CurrentEngine() {
    static std::unique_ptr<Fendrake> engine;
    return engine;
}

std::string& Folder() {
    static std::string folder;
    return folder;
}
}  // namespace

void WriteLog(const std::string& message) {
    LogTrap::Write(message);
}

void SetProgramFolder(const std::string& folder) {
    Folder() = folder;
}

std::string ProgramFolder() {
    return Folder().empty() ? FileSystem::ProgramDirectory() : Folder();
}

std::string ConfPath(const std::string& file) {
    return ProgramFolder() + "\\conf\\" + file;
}

void SetEngine(std::unique_ptr<Fendrake> engine) {
    CurrentEngine() = std::move(engine);
}

Fendrake& Engine() {
    if (!CurrentEngine()) {
        throw ObjectError(48, "modPelwardenMain", "Error in loading DLL");
    }
    return *CurrentEngine();
}

}  // namespace modPelwardenMain
