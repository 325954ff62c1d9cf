#include "OptionTree.h"

namespace OptionTree {

const Node* Find(const std::string& key) {
    for (const Node& node : kNodes) {
        if (key == node.key) {
            return &node;
        }
    }
    return nullptr;
}

}  // namespace OptionTree
