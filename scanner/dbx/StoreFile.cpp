#include <limits>

#include "LogTrap.h"
#include "MemoryStatus.h"
#include "ObjectError.h"
#include "ScanState.h"
#include "StoreFile.h"

namespace {

constexpr std::int32_t kFileNotFound = 53;

// Content lengths are 32-bit: a store can be read whole up to this.
constexpr std::uint64_t kLargestContent = std::numeric_limits<std::int32_t>::max();

std::string Bytes(std::uint64_t count) {
    return std::to_string(count) + " bytes";
}

// Why a store of this size may not be read; "" when it may. Figures are
// 64-bit so that no memory size wraps.
std::string Refusal(const std::string& path, std::uint64_t size, StoreFile::Needs needs) {
    if (ScanState::gScanLimit <= 0) {
        const std::uint64_t needed = needs(size);
        const std::uint64_t available = MemoryStatus::AvailablePhysical();
        if (available < needed) {
            return "Insufficient physical memory available to scan " + path + " (" + Bytes(size) + ", " +
                   Bytes(available) + " available)";
        }
    } else if (size > static_cast<std::uint64_t>(ScanState::gScanLimit)) {
        return path + " larger than scan limit. (" + Bytes(size) + ", limit " +
               Bytes(static_cast<std::uint64_t>(ScanState::gScanLimit)) + ")";
    }
    if (size > kLargestContent) {
        return path + " larger than the largest store that can be scanned. (" + Bytes(size) + ", at most " +
               Bytes(kLargestContent) + ")";
    }
    return "";
}

}  // namespace

std::unique_ptr<StoreFile> StoreFile::openWithin(const std::string& path, Needs needs, std::string& failure) {
    failure.clear();
    if (!path.empty() && path.back() == '\\') {
        return nullptr;
    }
    std::unique_ptr<StoreFile> file;
    try {
        file = std::make_unique<StoreFile>(path);
    } catch (const ObjectError& error) {
        if (error.Number() != kFileNotFound) {
            throw;
        }
        failure = path + " is missing.";
        return nullptr;
    }
    const std::uint64_t size = file->size();
    if (ScanState::DetailLogging()) {
        LogTrap::Write("filesize = " + std::to_string(size));
    }
    failure = Refusal(path, size, needs);
    return failure.empty() ? std::move(file) : nullptr;
}
