#include "LogTrap.h"

#include <new>
#include <stdexcept>
#include <typeinfo>
#include <variant>

namespace LogTrap {

namespace {
Writer& CurrentWriter() {
    static Writer writer;
    return writer;
}
}  // namespace

void SetWriter(Writer writer) {
    CurrentWriter() = std::move(writer);
}

void Write(const std::string& line) {
    if (CurrentWriter()) {
        CurrentWriter()(line);
    }
}

std::string ProcedurePrefix(const std::string& procedure) {
    return procedure + "() Error ";
}

std::string ErrorLine(const std::string& prefix, std::int32_t number, const std::string& separator,
                      const std::string& description) {
    return prefix + std::to_string(number) + separator + description;
}

// The library's own errors name the function that raised them ("stol",
// "vector::_M_range_check"); the log and the boxes say what went wrong.
ObjectError AsObjectError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const ObjectError& e) {
        return e;
    } catch (const std::invalid_argument&) {
        return ObjectError(13, "", "Type mismatch");
    } catch (const std::out_of_range&) {
        return ObjectError(9, "", "Subscript out of range");
    } catch (const std::length_error&) {
        return ObjectError(7, "", "Out of memory");
    } catch (const std::bad_alloc&) {
        return ObjectError(7, "", "Out of memory");
    } catch (const std::bad_variant_access&) {
        return ObjectError(13, "", "Type mismatch");
    } catch (const std::bad_cast&) {
        return ObjectError(13, "", "Type mismatch");
    } catch (const std::overflow_error&) {
        return ObjectError(6, "", "Overflow");
    } catch (const std::runtime_error& e) {
        // Raised with words of its own (a system error's text among them).
        return ObjectError(5, "", e.what());
    } catch (const std::exception&) {
        return ObjectError(5, "", "Invalid procedure call or argument");
    } catch (...) {
        return ObjectError(5, "", "Unknown error");
    }
}

}  // namespace LogTrap
