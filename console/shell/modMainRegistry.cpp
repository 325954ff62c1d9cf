#include <windows.h>
#include <oleauto.h>

#include <utility>

#include "KXProxyConf.h"
#include "ProductKey.h"
#include "ScanSchedule.h"
#include "TextCompare.h"
#include "modMain.h"

namespace modMain {

namespace {

Variant ProductValue(const std::string& name) {
    return ProductKey().Value(name);
}

ScanSchedule::ClockTime FromSystemTime(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// Older consoles stored the time in the regional form of the machine.
std::optional<ScanSchedule::ClockTime> ParseRegionalForm(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    DATE date = 0;
    SYSTEMTIME time{};
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date)) || !VariantTimeToSystemTime(date, &time)) {
        return std::nullopt;
    }
    return FromSystemTime(time);
}

Clock& CurrentClock() {
    static Clock clock;
    return clock;
}

ScanSchedule::ClockTime Now() {
    if (CurrentClock()) {
        return CurrentClock()();
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return FromSystemTime(now);
}

// A training total that is not stored is 0.
std::int32_t WholeNumber(const Variant& value) {
    return IsBlank(value.ToText()) ? 0 : value.ToLong();
}

}  // namespace

void SetClock(Clock clock) {
    CurrentClock() = std::move(clock);
}

std::string LastOEScanText() {
    return ScanSchedule::Format(Now());
}

bool StoreLastOEScan() {
    ProductKey registry;
    // A value of another type would keep its type and refuse the text.
    registry.DeleteValue("LastOEScan");
    return registry.Value("LastOEScan", LastOEScanText());
}

bool IsOEScanDue() {
    try {
        const std::string stored = TrimSpaces(ProductValue("LastOEScan").ToText());
        if (stored.empty()) {
            return true;
        }
        std::optional<ScanSchedule::ClockTime> last = ScanSchedule::Parse(stored);
        if (!last) {
            last = ParseRegionalForm(stored);
        }
        const std::string frequency = gProxyConf ? gProxyConf->GetValue("oe_scan_frequency").ToText() : "";
        return ScanSchedule::IsDue(last, frequency, Now());
    } catch (const std::exception&) {
        // A value the console cannot read must not stop the scans.
        return true;
    }
}

void LoadProxyCredentials() {
    gProxyUser = TrimSpaces(ProductValue("proxyServerUser").ToText());
    gProxyPassword = TrimSpaces(ProductValue("proxyServerPassword").ToText());
}

void GetTrainingCounts(std::int32_t& ham, std::int32_t& spam) {
    ham = WholeNumber(ProductValue("ham_training"));
    spam = WholeNumber(ProductValue("spam_training"));
}

}  // namespace modMain
