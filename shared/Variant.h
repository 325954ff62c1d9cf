#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// A value of any of the kinds the settings, lists and registry carry: empty
// (no value at all, distinct from "" and 0), text, a 32-bit integer, a
// double, a Boolean, an array of values, or a shared object.
class Variant {
public:
    struct Empty {
        bool operator==(const Empty&) const = default;
    };
    using Object = std::shared_ptr<void>;
    using Array = std::vector<Variant>;

    Variant() = default;
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(std::int32_t number) : value_(number) {}
    Variant(double number) : value_(number) {}
    Variant(bool flag) : value_(flag) {}
    Variant(Array array) : value_(std::move(array)) {}
    Variant(Object object) : value_(std::move(object)) {}

    bool IsEmpty() const { return std::holds_alternative<Empty>(value_); }
    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    bool IsInteger() const { return std::holds_alternative<std::int32_t>(value_); }
    bool IsDouble() const { return std::holds_alternative<double>(value_); }
    bool IsBoolean() const { return std::holds_alternative<bool>(value_); }
    bool IsArray() const { return std::holds_alternative<Array>(value_); }
    bool IsObject() const { return std::holds_alternative<Object>(value_); }
    bool IsNumeric() const { return IsInteger() || IsDouble(); }

    // The stored value of that kind; only valid when the matching Is...() holds.
    const std::string& Text() const { return std::get<std::string>(value_); }
    std::int32_t Integer() const { return std::get<std::int32_t>(value_); }
    double Double() const { return std::get<double>(value_); }
    bool Boolean() const { return std::get<bool>(value_); }
    const Array& Elements() const { return std::get<Array>(value_); }
    const Object& ObjectRef() const { return std::get<Object>(value_); }

    // The text form: "" for empty, digits for numbers, "True"/"False" for
    // Booleans. Arrays and objects have none and raise ObjectError 13.
    std::string ToText() const&;
    // The same, moving the text out of a value about to go.
    std::string ToText() &&;
    // The value as a 32-bit whole number: numbers round (halves to even),
    // text must read as a number, True is -1. What is no number raises
    // ObjectError 13 "Type mismatch", one beyond 32 bits 6 "Overflow".
    std::int32_t ToLong() const;

    bool operator==(const Variant& other) const { return value_ == other.value_; }

private:
    std::variant<Empty, std::string, std::int32_t, double, bool, Array, Object> value_;
};
