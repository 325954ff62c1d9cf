#pragma once
#include <exception>

// The one boundary of every window, dialog and subclass procedure of the
// programs. An exception must never cross a window procedure (on 64-bit
// Windows one that does ends the program), so an error a handler raises is
// logged as "<handler>() Error <n> : <text>" and the window carries on.
namespace WindowBoundary {

// Names the handler that runs while it lives. An error that leaves the
// handler is logged under the name of the innermost handler it left.
class Handler {
public:
    explicit Handler(const char* name);
    ~Handler();
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;

private:
    const char* name_;
    int unwinding_;
};

// Writes the log line of an error that reached the procedure: under the
// handler it left, or under the procedure's own name when it left none.
void LogError(const char* procedure, std::exception_ptr error);

// Forgets the handler an error left after something inside dealt with it.
void ForgetFailedHandler();

// Runs the body of a procedure; an error ends it with its log line, and the
// procedure answers `fallback`.
template <class Result, class Body>
Result Guard(const char* procedure, Result fallback, Body&& body) {
    try {
        const Result result = body();
        ForgetFailedHandler();
        return result;
    } catch (...) {
        LogError(procedure, std::current_exception());
        return fallback;
    }
}

}  // namespace WindowBoundary
