#include "LogTrap.h"

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

ObjectError AsObjectError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const ObjectError& e) {
        return e;
    } catch (const std::exception& e) {
        return ObjectError(5, "", e.what());
    } catch (...) {
        return ObjectError(5, "", "Unknown error");
    }
}

}  // namespace LogTrap
