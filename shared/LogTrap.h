#pragma once
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "ObjectError.h"
#include "WindowBoundary.h"

// The program's log as the shared classes and the procedures see it, and the
// one place where a procedure that traps its errors turns an error into its
// log line. Each program points the writer at its own log at start-up.
namespace LogTrap {

using Writer = std::function<void(const std::string& line)>;

void SetWriter(Writer writer);

// One line to the program's log; nothing while no writer is set.
void Write(const std::string& line);

// "<name>() Error " — the usual start of a procedure's error line.
std::string ProcedurePrefix(const std::string& procedure);

// prefix, the error's number in decimal, the separator and its description.
std::string ErrorLine(const std::string& prefix, std::int32_t number, const std::string& separator,
                      const std::string& description);

// The number and text of whatever was thrown: an ObjectError as it is, the
// library's errors as the numbered errors they are (13 "Type mismatch" for a
// failed conversion, 9 "Subscript out of range", 7 "Out of memory", 6
// "Overflow"), a runtime error as 5 with its own words, any other exception
// as 5 "Invalid procedure call or argument" and what is none as 5 "Unknown
// error".
ObjectError AsObjectError(std::exception_ptr error);

// Runs the body; an error ends it and is written as one line
// (prefix, number, separator, description). True when the body finished.
template <class Body>
bool Trap(const std::string& prefix, const std::string& separator, Body&& body) {
    try {
        body();
        return true;
    } catch (...) {
        // Dealt with here: no window procedure is to blame a handler for it.
        WindowBoundary::ForgetFailedHandler();
        const ObjectError error = AsObjectError(std::current_exception());
        Write(ErrorLine(prefix, error.Number(), separator, error.Description()));
        return false;
    }
}

}  // namespace LogTrap
