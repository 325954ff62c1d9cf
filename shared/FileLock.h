#pragma once
#include <string>

// The lock that every program takes while it changes a file that other
// programs change too (the list files): each writer holds it from reading
// the file to putting the new one in its place, so none writes from a copy
// that another has replaced meanwhile. Readers never take it; the file is
// always whole for them. The thread that holds it may take it again.
class FileLock {
public:
    // How long a writer waits for another to finish before it gives up.
    static constexpr unsigned long kWaitMilliseconds = 10000;

    // Waits for the file's lock; raises ObjectError 75 naming the file when
    // it cannot be had in time. Once it has the lock, it deletes the
    // temporary files of the file (OwnTemporaryPath) that writers which
    // have ended left behind; the portable lane has no other writer, and
    // deletes nothing.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // A temporary file beside the path that no other running program
    // writes: the path, this process's id and ".tmp".
    static std::string OwnTemporaryPath(const std::string& path);

private:
    // The named mutex; the portable lane has none.
    [[maybe_unused]] void* mutex_ = nullptr;
};
