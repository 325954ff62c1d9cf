#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

// The check marks of the blocked-charset tree: six language groups and their
// 21 charsets. A group's mark stands for all of its charsets, so the two
// follow each other; only charset marks are ever saved.
class CharsetTree {
public:
    struct Node {
        const char* key;
        int textId;  // string id of a group's text; 0 for a charset (text = key)
        int group;   // index of the charset's group; -1 for a group
    };
    static constexpr int kGroupCount = 6;
    static constexpr int kNodeCount = 27;
    // Groups first, then the charsets group by group: the order of the tree.
    static const std::array<Node, kNodeCount> kNodes;

    // The node's display text.
    static std::string Text(int index);
    static bool IsGroup(int index) { return kNodes[index].group < 0; }
    // The stored entries that are the text of no charset node (letter case
    // aside), as they stand.
    static std::vector<std::string> UnknownEntries(const std::vector<std::string>& stored);

    bool Checked(int index) const { return checked_[index]; }

    // The user set the node's mark: a group passes it to its charsets; an
    // unchecked charset unchecks its group, a checked one checks it once
    // all of the group's charsets are checked.
    void NodeCheck(int index, bool checked);
    // Every node, groups and charsets alike.
    void SetAll(bool checked);
    // Marks the charsets the list holds, then each group from its charsets.
    void Load(const std::function<bool(const std::string& charset)>& listed);
    // The checked charsets in node order.
    std::vector<std::string> CheckedCharsets() const;

private:
    void UpdateGroup(int group);

    std::array<bool, kNodeCount> checked_{};
};
