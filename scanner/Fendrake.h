#pragma once
#include <cstdint>
#include <string>

// The eight calls into the scoring engine, in the form the scanner makes
// them. The program reaches fendrake.dll through FendrakeLibrary; tests put
// a recording engine in its place. Results are the engine's own business:
// the scanner never looks at them.
class Fendrake {
public:
    virtual ~Fendrake() = default;

    virtual std::int32_t KX_constructor(const std::string& product, const std::string& confDir) = 0;
    virtual void KX_initialize(std::int32_t handle) = 0;
    // found is set to 0 before the call; the address buffer is read back.
    virtual void KX_getSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t& found) = 0;
    virtual void KX_addSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) = 0;
    virtual void KX_addSpamAddrTo(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) = 0;
    virtual void KX_addMessage2(std::int32_t handle, const std::string& text, std::int32_t weight,
                                std::int32_t flag) = 0;
    // buffer holds the option's text afterwards, up to its first NUL.
    virtual void KX_getOption(std::int32_t handle, const std::string& name, std::string& buffer,
                              std::int32_t& size) = 0;
    virtual void KX_destructor(std::int32_t handle) = 0;
};
