#include "SortedList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "LongestNumber.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

const std::int32_t kKeyInvalid = kObjectErrorBase + 1;
const std::int32_t kSortModeFailure = kObjectErrorBase + 3;

// Whole-number division rounded to the nearest, an exact half to the even.
std::int32_t RoundHalfEven(std::int32_t numerator, std::int32_t denominator) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(numerator) / denominator));
}

// Lookups scan the unsorted tail record by record, so it must stay short.
const std::size_t kTailLimit = 32;

// A run is merged into the one before it unless that one is this many times
// as long: few runs to search, and each position is moved only a few times.
const std::size_t kRunRatio = 4;

// Sorts a short run in place, equal positions kept in their order: unlike
// std::stable_sort it takes no buffer.
template <typename Less>
void InsertionSort(std::vector<std::uint32_t>& run, const Less& less) {
    for (auto next = run.begin() + 1; next < run.end(); ++next) {
        const std::uint32_t moving = *next;
        auto hole = next;
        for (; hole != run.begin() && less(moving, *(hole - 1)); --hole) {
            *hole = *(hole - 1);
        }
        *hole = moving;
    }
}

}  // namespace

bool SortedList::ParseKey(std::string_view view, double& number) const {
    const std::string key(view);
    const char* begin = key.c_str();
    while (*begin == ' ') {
        ++begin;
    }
    if (*begin == '\0') {
        return false;
    }
    std::size_t length = key.size() - static_cast<std::size_t>(begin - key.c_str());
    while (begin[length - 1] == ' ') {
        --length;
    }
    if (length > kLongestNumber) {
        return false;
    }
    char* end = nullptr;
    number = std::strtod(begin, &end);
    while (*end == ' ') {
        ++end;
    }
    // The whole key must be the number: a NUL inside it ends the C text early.
    return end == key.c_str() + key.size() && std::isfinite(number);
}

int SortedList::Compare(std::string_view key, double number, const Record& record) const {
    if (sortMode_ == kNumeric) {
        return number < record.number ? -1 : (number > record.number ? 1 : 0);
    }
    return TextCompare(key, record.key);
}

bool SortedList::Matches(std::string_view key, double number, const Record& record) const {
    return sortMode_ == kNumeric ? number == record.number : TextEqual(key, record.key);
}

bool SortedList::Less(std::uint32_t a, std::uint32_t b) const {
    return Compare(records_[a].key, records_[a].number, records_[b]) < 0;
}

void SortedList::Add(Variant key, Variant item) {
    std::string text = std::move(key).ToText();
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(text, number)) {
        throw ObjectError(kKeyInvalid, "SortedList", "Key Invalid: Text keys are invalid when SortMode is Numeric");
    }
    if (Used() >= capacity_) {
        Grow();
    }
    if (tail_.capacity() == 0) {
        // A lookup settles the tail once it holds more than this (a load, with
        // no lookup between its appends, grows it further).
        tail_.reserve(kTailLimit + 1);
    }
    tail_.push_back(static_cast<std::uint32_t>(records_.size()));
    records_.push_back({std::move(text), number, std::move(item), false});
    ++count_;
}

void SortedList::Grow() {
    // Capacity counts slots as the list's users see them; the records
    // themselves live in vectors that grow on their own.
    const std::int32_t g = std::max(RoundHalfEven(count_, 10), 10);
    shrinkThreshold_ = count_ - g;
    capacity_ = Used() + g;
    // Room for the new slots at once, still doubling for long lists.
    const auto room = static_cast<std::size_t>(capacity_);
    if (records_.capacity() < room) {
        records_.reserve(std::max(room, 2 * records_.capacity()));
    }
}

void SortedList::Reserve(std::size_t more) {
    records_.reserve(records_.size() + more);
}

void SortedList::MergeLastRuns() {
    Run& older = runs_[runs_.size() - 2];
    Run& newer = runs_.back();
    Run merged(older.size() + newer.size());
    // std::merge puts the older run's record first among equal keys.
    std::merge(older.begin(), older.end(), newer.begin(), newer.end(), merged.begin(),
               [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); });
    runs_.pop_back();
    runs_.back() = std::move(merged);
}

void SortedList::SettleTail() {
    if (tail_.empty()) {
        return;
    }
    const auto less = [this](std::uint32_t a, std::uint32_t b) { return Less(a, b); };
    if (tail_.size() > kTailLimit + 1) {
        // Appends with no lookup between them (a whole file loaded).
        std::stable_sort(tail_.begin(), tail_.end(), less);
    } else {
        InsertionSort(tail_, less);
    }
    runs_.push_back(std::move(tail_));
    tail_.clear();
    while (runs_.size() >= 2 && runs_[runs_.size() - 2].size() < kRunRatio * runs_.back().size()) {
        MergeLastRuns();
    }
}

void SortedList::Sort() {
    SettleTail();
    while (runs_.size() >= 2) {
        MergeLastRuns();
    }
}

void SortedList::Compact() {
    // The live records keep their order in records_; the runs and the tail
    // are renumbered to their new slots, so each keeps its key order and its
    // place among the others.
    const std::uint32_t kGone = UINT32_MAX;
    std::vector<std::uint32_t> slot(records_.size());
    std::uint32_t next = 0;
    for (std::size_t at = 0; at < records_.size(); ++at) {
        slot[at] = records_[at].deleted ? kGone : next++;
    }
    const auto renumber = [&](Run& run) {
        std::erase_if(run, [&](std::uint32_t at) { return slot[at] == kGone; });
        for (std::uint32_t& at : run) {
            at = slot[at];
        }
    };
    for (Run& run : runs_) {
        renumber(run);
    }
    std::erase_if(runs_, [](const Run& run) { return run.empty(); });
    renumber(tail_);
    std::erase_if(records_, [](const Record& record) { return record.deleted; });
    if (count_ < shrinkThreshold_) {
        Grow();
    }
}

SortedList::Record* SortedList::FirstInRuns(std::string_view key, double number) {
    for (Run& run : runs_) {
        const auto at = std::lower_bound(run.begin(), run.end(), key, [&](std::uint32_t r, std::string_view k) {
            return Compare(k, number, records_[r]) > 0;
        });
        if (at != run.end() && Matches(key, number, records_[*at])) {
            return &records_[*at];
        }
    }
    return nullptr;
}

SortedList::Record* SortedList::Find(std::string_view key) {
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(key, number)) {
        return nullptr;
    }
    if (tail_.size() > kTailLimit) {
        SettleTail();
    }
    Record* found = FirstInRuns(key, number);
    if (found && found->deleted) {
        Compact();
        found = FirstInRuns(key, number);
    }
    if (found) {
        return found;
    }
    for (std::uint32_t at : tail_) {
        Record& r = records_[at];
        if (!r.deleted && Matches(key, number, r)) {
            return &r;
        }
    }
    return nullptr;
}

SortedList::Record* SortedList::FirstLive() {
    Sort();
    if (runs_.empty()) {
        return nullptr;
    }
    for (std::uint32_t at : runs_.front()) {
        if (!records_[at].deleted) {
            return &records_[at];
        }
    }
    return nullptr;
}

void SortedList::Delete(Record& record) {
    record.deleted = true;
    record.item = Variant();
    --count_;
}

void SortedList::Remove(std::string_view key) {
    if (Record* found = Find(key)) {
        Delete(*found);
    }
}

void SortedList::RemoveTop() {
    if (Record* top = FirstLive()) {
        Delete(*top);
    }
}

Variant SortedList::GetTop() {
    const Record* top = FirstLive();
    return top ? top->item : Variant(std::int32_t{0});
}

void SortedList::ForEachRecord(const std::function<void(const std::string& key, const Variant& item)>& visit) {
    if (count_ == 0) {
        return;
    }
    Sort();
    for (std::uint32_t at : runs_.front()) {
        if (!records_[at].deleted) {
            visit(records_[at].key, records_[at].item);
        }
    }
}

std::vector<Variant> SortedList::Items() {
    std::vector<Variant> items;
    items.reserve(static_cast<std::size_t>(count_));
    ForEachRecord([&](const std::string&, const Variant& item) { items.push_back(item); });
    return items;
}

std::vector<std::string> SortedList::keys() {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(count_));
    ForEachRecord([&](const std::string& key, const Variant&) { result.push_back(key); });
    return result;
}

bool SortedList::Exists(std::string_view key) {
    double number = 0;
    if (sortMode_ == kNumeric && !ParseKey(key, number)) {
        throw ObjectError(kKeyInvalid, "SortedList", "Key Invalid: Text keys are invalid when SortMode is Numeric");
    }
    return Find(key) != nullptr;
}

void SortedList::Clear() {
    records_ = {};
    runs_ = {};
    tail_ = {};
    count_ = 0;
    capacity_ = 0;
}

void SortedList::SortMode(std::int32_t mode) {
    if (count_ != 0) {
        throw ObjectError(kSortModeFailure, "SortedList",
                          "SortMode Failure: You cannot change the SortMode unless the list is empty.");
    }
    if (mode != sortMode_) {
        // Deleted records sorted under the old mode would mislead the new one.
        records_.clear();
        runs_.clear();
        tail_.clear();
    }
    sortMode_ = mode;
}

Variant SortedList::item(std::string_view key) {
    const Variant* found = FindItem(key);
    return found ? *found : Variant();
}

Variant* SortedList::FindItem(std::string_view key) {
    Record* found = Find(key);
    return found ? &found->item : nullptr;
}

void SortedList::SetItem(std::string_view key, Variant item) {
    if (Variant* found = FindItem(key)) {
        *found = std::move(item);
    }
}
