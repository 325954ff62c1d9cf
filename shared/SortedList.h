#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Variant.h"

// A keyed container of (key, item) records kept in ascending key order, in
// numeric mode (keys compared as numbers; the initial mode) or text mode
// (keys compared as text without regard to case). Keys are not unique; equal
// keys keep the order in which they were added, and a lookup answers the
// first live one. Appends are cheap and leave the new records unsorted; the
// next reader merges them in. Removal only marks a record deleted; deleted
// records are squeezed out when a lookup runs into one.
class SortedList {
public:
    static constexpr std::int32_t kNumeric = 0;
    static constexpr std::int32_t kText = 1;

    // Marks the first live record of the key deleted; nothing when absent.
    void Remove(std::string_view key);
    // Removes the first live record in key order; nothing when there is none.
    void RemoveTop();
    std::int32_t Count() const { return count_; }
    // The items of the live records in key order.
    std::vector<Variant> Items();
    // The keys of the live records in key order.
    std::vector<std::string> keys();
    // Hands each live record's key and item to the visitor, in key order.
    void ForEachRecord(const std::function<void(const std::string& key, const Variant& item)>& visit);
    void Display() {}
    // Raises 0x80040001 in numeric mode when the key is not a number.
    bool Exists(std::string_view key);
    // Drops every record; the mode stays.
    void Clear();
    std::int32_t SortMode() const { return sortMode_; }
    // Raises 0x80040003 unless the list is empty.
    void SortMode(std::int32_t mode);
    // The item of the key's first live record; the empty value when absent.
    Variant item(std::string_view key);
    // The same item in place, or null when absent; valid until the list
    // next changes.
    Variant* FindItem(std::string_view key);
    // The item of the first live record in key order; the integer 0 when none.
    Variant GetTop();

    // Appends a record (the key as text); raises 0x80040001 in numeric mode
    // when the key is not a number.
    void Add(Variant key, Variant item);
    // Replaces the item of the key's first live record; nothing when absent.
    void SetItem(std::string_view key, Variant item);

    // Merges the appended records in now, so that the lookups to come
    // search one run.
    void Sort();
    // Room for this many more records at once, so that adding them moves
    // none of those there; Capacity() is not affected.
    void Reserve(std::size_t more);

    // Slots in use (deleted ones included) and slots allocated.
    std::int32_t Used() const { return static_cast<std::int32_t>(records_.size()); }
    std::int32_t Capacity() const { return capacity_; }

private:
    struct Record {
        std::string key;
        double number;  // the key as a number, in numeric mode
        Variant item;
        bool deleted;
    };
    // Positions in records_, in key order.
    using Run = std::vector<std::uint32_t>;

    bool Less(std::uint32_t a, std::uint32_t b) const;
    int Compare(std::string_view key, double number, const Record& record) const;
    // Compare(...) == 0, answered sooner.
    bool Matches(std::string_view key, double number, const Record& record) const;
    bool ParseKey(std::string_view key, double& number) const;
    void Grow();
    void Compact();
    void SettleTail();
    void MergeLastRuns();
    Record* FirstInRuns(std::string_view key, double number);
    Record* Find(std::string_view key);
    Record* FirstLive();
    void Delete(Record& record);

    // records_ holds every slot in use; their key order is kept apart, as
    // positions: the sorted runs, oldest first, then the unsorted tail of the
    // newest appends; among equal keys the older record comes first. A lookup
    // searches each run and scans the short tail; a long tail becomes a run
    // and is merged with the runs before it that are not much longer, so
    // appending to a long list never costs a full re-sort.
    std::vector<Record> records_;
    std::vector<Run> runs_;
    Run tail_;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    std::int32_t shrinkThreshold_ = 0;
    std::int32_t sortMode_ = kNumeric;
};
