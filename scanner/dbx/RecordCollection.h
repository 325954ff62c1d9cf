#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ObjectError.h"
#include "TextCompare.h"
#include "Variant.h"

// The ordered, keyed collection behind CEmails and CFolders. Members keep the
// order in which they were placed; a member is named by its position (from
// 1, a 32-bit integer) or by its key (text, compared without regard to case).
// Add raises the collection's own errors; item and Remove turn any failure
// into the one error of the owning class.
template <class Record>
class RecordCollection {
public:
    using Member = std::shared_ptr<Record>;

    static constexpr std::int32_t kErrInvalidArgument = 5;
    static constexpr std::int32_t kErrDuplicateKey = 457;
    static constexpr std::int32_t kErrKeyOrIndex = kObjectErrorBase + 0x200;

    // Places rItem under rsKey ("" places it without a key): before the
    // member Before names when given, else after the member After names when
    // given, else at the end.
    void Add(Member rItem, const std::string& rsKey, const Variant& Before = Variant(),
             const Variant& After = Variant()) {
        std::string key = LowerCase(rsKey);
        // One look-up of the key both tests and places it; a place that
        // cannot be found takes it back out.
        if (!key.empty() && !byKey_.try_emplace(key, rItem).second) {
            throw ObjectError(kErrDuplicateKey, "Collection",
                              "This key is already associated with an element of this collection");
        }
        std::size_t at = members_.size();
        try {
            if (!Before.IsEmpty()) {
                at = PositionOf(Before);
            } else if (!After.IsEmpty()) {
                at = PositionOf(After) + 1;
            }
        } catch (...) {
            byKey_.erase(key);
            throw;
        }
        members_.insert(members_.begin() + static_cast<std::ptrdiff_t>(at), std::move(rItem));
        keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), std::move(key));
    }

    void Remove(const Variant& index) {
        const std::size_t at = Checked([&] { return PositionOf(index); });
        if (!keys_[at].empty()) {
            byKey_.erase(keys_[at]);
        }
        members_.erase(members_.begin() + static_cast<std::ptrdiff_t>(at));
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(at));
    }

    Member item(const Variant& index) const {
        if (index.IsText()) {
            // Straight to the key: the scans look every message up by key.
            const auto found = byKey_.find(LowerCase(index.Text()));
            if (found == byKey_.end()) {
                throw KeyOrIndexError();
            }
            return found->second;
        }
        return members_[Checked([&] { return PositionOf(index); })];
    }

    std::int32_t Count() const { return static_cast<std::int32_t>(members_.size()); }

    void Clear() {
        members_.clear();
        keys_.clear();
        byKey_.clear();
    }

    // The members in order, for for-each.
    const std::vector<Member>& NewEnum() const { return members_; }
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }

protected:
    // source: the name the owning class gives its item and Remove failures.
    explicit RecordCollection(std::string source) : source_(std::move(source)) {}

private:
    // The 0-based place of the member that index names; raises 5 when none.
    std::size_t PositionOf(const Variant& index) const {
        if (index.IsInteger() && index.Integer() >= 1 && index.Integer() <= Count()) {
            return static_cast<std::size_t>(index.Integer() - 1);
        }
        if (index.IsText()) {
            const std::string key = LowerCase(index.Text());
            for (std::size_t at = 0; !key.empty() && at < keys_.size(); ++at) {
                if (keys_[at] == key) {
                    return at;
                }
            }
        }
        throw ObjectError(kErrInvalidArgument, "Collection", "Invalid procedure call or argument");
    }

    template <class Lookup>
    std::size_t Checked(Lookup lookup) const {
        try {
            return lookup();
        } catch (const ObjectError&) {
            throw KeyOrIndexError();
        }
    }

    ObjectError KeyOrIndexError() const {
        return ObjectError(kErrKeyOrIndex, source_, "Collection key or index is invalid");
    }

    std::string source_;
    std::vector<Member> members_;
    std::vector<std::string> keys_;  // lower-cased; "" for a member without a key
    std::unordered_map<std::string, Member> byKey_;
};
