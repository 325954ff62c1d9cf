#include "WindowBoundary.h"

#include "LogTrap.h"

namespace WindowBoundary {

namespace {
// The programs run their windows on one thread.
const char* gFailedHandler = nullptr;
}  // namespace

Handler::Handler(const char* name) : name_(name), unwinding_(std::uncaught_exceptions()) {
    // A handler that starts afresh leaves no earlier failure pending.
    gFailedHandler = nullptr;
}

Handler::~Handler() {
    if (std::uncaught_exceptions() > unwinding_ && gFailedHandler == nullptr) {
        gFailedHandler = name_;
    }
}

void ForgetFailedHandler() {
    gFailedHandler = nullptr;
}

void LogError(const char* procedure, std::exception_ptr error) {
    const char* name = gFailedHandler != nullptr ? gFailedHandler : procedure;
    gFailedHandler = nullptr;
    const ObjectError trapped = LogTrap::AsObjectError(error);
    LogTrap::Write(LogTrap::ErrorLine(LogTrap::ProcedurePrefix(name), trapped.Number(), " : ", trapped.Description()));
}

}  // namespace WindowBoundary
