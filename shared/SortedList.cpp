#include "SortedList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ObjectError.h"
#include "TextCompare.h"

namespace {

const std::int32_t kKeyInvalid = kObjectErrorBase + 1;
const std::int32_t kSortModeFailure = kObjectErrorBase + 3;

// Whole-number division rounded to the nearest, an exact half to the even.
std::int32_t RoundHalfEven(std::int32_t numerator, std::int32_t denominator) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(numerator) / denominator));
}

// New records stay in the unsorted tail until it outgrows this share of the
// list; lookups scan the tail, so it must stay short.
std::size_t TailLimit(std::size_t size) {
    return std::max<std::size_t>(32, static_cast<std::size_t>(std::sqrt(static_cast<double>(size))));
}

}  // namespace

bool SortedList::ParseKey(const std::string& key, double& number) const {
    const char* begin = key.c_str();
    while (*begin == ' ') {
        ++begin;
    }
    if (*begin == '\0') {
        return false;
    }
    char* end = nullptr;
    number = std::strtod(begin, &end);
    while (*end == ' ') {
        ++end;
    }
    return *end == '\0' && std::isfinite(number);
}

int SortedList::Compare(const std::string& key, double number, const Record& record) const {
    if (sortMode_ == kNumeric) {
        return number < record.number ? -1 : (number > record.number ? 1 : 0);
    }
    return TextCompare(key, record.key);
}

bool SortedList::Less(const Record& a, const Record& b) const {
    return Compare(a.key, a.number, b) < 0;
}

void SortedList::Add(const Variant& key, const Variant& item) {
    const std::string text = key.ToText();
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(text, number)) {
        throw ObjectError(kKeyInvalid, "SortedList",
                          "Key Invalid: Text keys are invalid when SortMode is Numeric");
    }
    if (Used() >= capacity_) {
        Grow();
    }
    records_.push_back({text, number, item, false});
    ++count_;
}

void SortedList::Grow() {
    const std::int32_t g = std::max(RoundHalfEven(count_, 10), 10);
    shrinkThreshold_ = count_ - g;
    capacity_ = Used() + g;
    records_.reserve(static_cast<std::size_t>(capacity_));
}

void SortedList::Sort() {
    if (sorted_ == records_.size()) {
        return;
    }
    auto less = [this](const Record& a, const Record& b) { return Less(a, b); };
    const auto middle = records_.begin() + static_cast<std::ptrdiff_t>(sorted_);
    std::stable_sort(middle, records_.end(), less);
    std::inplace_merge(records_.begin(), middle, records_.end(), less);
    sorted_ = records_.size();
}

void SortedList::Compact() {
    // Keeps the order of both the sorted part and the tail.
    std::size_t kept = 0;
    std::size_t keptSorted = 0;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!records_[i].deleted) {
            if (kept != i) {
                records_[kept] = std::move(records_[i]);
            }
            ++kept;
            if (i < sorted_) {
                keptSorted = kept;
            }
        }
    }
    records_.resize(kept);
    sorted_ = keptSorted;
    if (count_ < shrinkThreshold_) {
        Grow();
        records_.shrink_to_fit();
    }
}

std::int32_t SortedList::FindIndex(const std::string& key) {
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(key, number)) {
        return -1;
    }
    if (records_.size() - sorted_ > TailLimit(records_.size())) {
        Sort();
    }
    for (;;) {
        const auto sortedEnd = records_.begin() + static_cast<std::ptrdiff_t>(sorted_);
        auto at = std::lower_bound(records_.begin(), sortedEnd, key, [&](const Record& r, const std::string& k) {
            return Compare(k, number, r) > 0;
        });
        if (at != sortedEnd && Compare(key, number, *at) == 0) {
            if (at->deleted) {
                Compact();
                continue;
            }
            return static_cast<std::int32_t>(at - records_.begin());
        }
        for (std::size_t i = sorted_; i < records_.size(); ++i) {
            if (!records_[i].deleted && Compare(key, number, records_[i]) == 0) {
                return static_cast<std::int32_t>(i);
            }
        }
        return -1;
    }
}

std::int32_t SortedList::FirstLive() const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (!records_[i].deleted) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

void SortedList::Remove(const std::string& key) {
    const std::int32_t at = FindIndex(key);
    if (at >= 0) {
        records_[at].deleted = true;
        records_[at].item = Variant();
        --count_;
    }
}

void SortedList::RemoveTop() {
    Sort();
    const std::int32_t at = FirstLive();
    if (at >= 0) {
        records_[at].deleted = true;
        records_[at].item = Variant();
        --count_;
    }
}

Variant SortedList::GetTop() {
    Sort();
    const std::int32_t at = FirstLive();
    return at >= 0 ? records_[at].item : Variant(std::int32_t{0});
}

std::vector<Variant> SortedList::Items() {
    std::vector<Variant> items;
    if (count_ == 0) {
        return items;
    }
    Sort();
    items.reserve(static_cast<std::size_t>(count_));
    for (const Record& r : records_) {
        if (!r.deleted) {
            items.push_back(r.item);
        }
    }
    return items;
}

std::vector<std::string> SortedList::keys() {
    std::vector<std::string> result;
    if (count_ == 0) {
        return result;
    }
    Sort();
    result.reserve(static_cast<std::size_t>(count_));
    for (const Record& r : records_) {
        if (!r.deleted) {
            result.push_back(r.key);
        }
    }
    return result;
}

bool SortedList::Exists(const std::string& key) {
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(key, number)) {
        throw ObjectError(kKeyInvalid, "SortedList",
                          "Key Invalid: Text keys are invalid when SortMode is Numeric");
    }
    return FindIndex(key) >= 0;
}

void SortedList::Clear() {
    records_.clear();
    records_.shrink_to_fit();
    count_ = 0;
    capacity_ = 0;
    sorted_ = 0;
}

void SortedList::SortMode(std::int32_t mode) {
    if (count_ != 0) {
        throw ObjectError(kSortModeFailure, "SortedList",
                          "SortMode Failure: You cannot change the SortMode unless the list is empty.");
    }
    if (mode != sortMode_) {
        // Deleted records sorted under the old mode would mislead the new one.
        records_.clear();
        sorted_ = 0;
    }
    sortMode_ = mode;
}

Variant SortedList::item(const std::string& key) {
    const std::int32_t at = FindIndex(key);
    return at >= 0 ? records_[at].item : Variant();
}

void SortedList::SetItem(const std::string& key, const Variant& item) {
    const std::int32_t at = FindIndex(key);
    if (at >= 0) {
        records_[at].item = item;
    }
}
