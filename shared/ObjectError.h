#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

// The error a class raises: a number (object errors count up from
// 0x80040001), the name of the class or procedure that raised it, and a text.
class ObjectError : public std::runtime_error {
public:
    ObjectError(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

// Base of the numbered object errors.
constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);
