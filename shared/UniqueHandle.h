#pragma once

// Owns one system handle and closes it when it goes out of scope, so a
// procedure that opens a handle cannot leak it on an early return. Close is
// the system's own closing function (CloseHandle, RegCloseKey, ...). Both the
// null handle and the all-ones one (what file and snapshot calls give back
// on failure) count as no handle.
template <class Handle, auto Close>
class UniqueHandle {
public:
    explicit UniqueHandle(Handle handle = Handle{}) : handle_(handle) {}
    ~UniqueHandle() { reset(Handle{}); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    // Closes the handle held so far and takes the new one.
    void reset(Handle handle) {
        if (valid()) {
            Close(handle_);
        }
        handle_ = handle;
    }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Handle{} && handle_ != reinterpret_cast<Handle>(-1); }

private:
    Handle handle_;
};
