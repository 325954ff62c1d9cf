#pragma once
#include <windows.h>

#include "Fendrake.h"

// The scoring engine fendrake.dll, loaded by name on the first call (the
// program folder first, then the system's search path). A library that
// cannot be loaded raises 48, one that lacks a call 453.
class FendrakeLibrary : public Fendrake {
public:
    FendrakeLibrary() = default;
    ~FendrakeLibrary() override;
    FendrakeLibrary(const FendrakeLibrary&) = delete;
    FendrakeLibrary& operator=(const FendrakeLibrary&) = delete;

    std::int32_t KX_constructor(const std::string& product, const std::string& confDir) override;
    void KX_initialize(std::int32_t handle) override;
    void KX_getSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t& found) override;
    void KX_addSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) override;
    void KX_addSpamAddrTo(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) override;
    void KX_addMessage2(std::int32_t handle, const std::string& text, std::int32_t weight, std::int32_t flag) override;
    void KX_getOption(std::int32_t handle, const std::string& name, std::string& buffer, std::int32_t& size) override;
    void KX_destructor(std::int32_t handle) override;

private:
    template <class Function>
    Function* Entry(const char* name);

    HMODULE module_ = nullptr;
};
