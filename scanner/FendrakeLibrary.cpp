#include "FendrakeLibrary.h"

#include <cstring>
#include <vector>

#include "ObjectError.h"

namespace {

using Constructor = std::int32_t(const char*, const char*);
using HandleCall = std::int32_t(std::int32_t);
using AddressLookup = std::int32_t(std::int32_t, char*, std::int32_t*);
using AddressCall = std::int32_t(std::int32_t, char*, std::int32_t, std::int32_t);
using MessageCall = std::int32_t(std::int32_t, const char*, std::int32_t, std::int32_t);
using OptionCall = std::int32_t(std::int32_t, const char*, char*, std::int32_t*);

// The text in a writable buffer with room for its NUL; read back up to the first NUL.
std::vector<char> Writable(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return buffer;
}

std::string ReadBack(const std::vector<char>& buffer) {
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

}  // namespace

FendrakeLibrary::~FendrakeLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

template <class Function>
Function* FendrakeLibrary::Entry(const char* name) {
    if (module_ == nullptr) {
        // By name, so the system's search order finds the engine in the
        // program folder first and else where the installer put it (the
        // system folder, where the console's version report looks).
        module_ = LoadLibraryA("fendrake.dll");
        if (module_ == nullptr) {
            throw ObjectError(48, "fendrake.dll", "Error in loading DLL");
        }
    }
    FARPROC entry = GetProcAddress(module_, name);
    if (entry == nullptr) {
        throw ObjectError(453, "fendrake.dll", std::string("Can't find DLL entry point ") + name + " in fendrake.dll");
    }
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(entry));
}

std::int32_t FendrakeLibrary::KX_constructor(const std::string& product, const std::string& confDir) {
    return Entry<Constructor>("KX_constructor")(product.c_str(), confDir.c_str());
}

void FendrakeLibrary::KX_initialize(std::int32_t handle) {
    Entry<HandleCall>("KX_initialize")(handle);
}

void FendrakeLibrary::KX_getSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t& found) {
    std::vector<char> buffer = Writable(address);
    found = 0;
    Entry<AddressLookup>("KX_getSpamAddrFrom")(handle, buffer.data(), &found);
    address = ReadBack(buffer);
}

void FendrakeLibrary::KX_addSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) {
    std::vector<char> buffer = Writable(address);
    Entry<AddressCall>("KX_addSpamAddrFrom")(handle, buffer.data(), a, b);
    address = ReadBack(buffer);
}

void FendrakeLibrary::KX_addSpamAddrTo(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) {
    std::vector<char> buffer = Writable(address);
    Entry<AddressCall>("KX_addSpamAddrTo")(handle, buffer.data(), a, b);
    address = ReadBack(buffer);
}

void FendrakeLibrary::KX_addMessage2(std::int32_t handle, const std::string& text, std::int32_t weight,
                                     std::int32_t flag) {
    Entry<MessageCall>("KX_addMessage2")(handle, text.c_str(), weight, flag);
}

void FendrakeLibrary::KX_getOption(std::int32_t handle, const std::string& name, std::string& buffer,
                                   std::int32_t& size) {
    std::vector<char> writable(buffer.begin(), buffer.end());
    writable.push_back('\0');
    // The engine is told the buffer's size without the guard NUL.
    size = static_cast<std::int32_t>(buffer.size()) < size ? static_cast<std::int32_t>(buffer.size()) : size;
    Entry<OptionCall>("KX_getOption")(handle, name.c_str(), writable.data(), &size);
    buffer = ReadBack(writable);
}

void FendrakeLibrary::KX_destructor(std::int32_t handle) {
    Entry<HandleCall>("KX_destructor")(handle);
}
