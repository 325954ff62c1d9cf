#include "OERegistry.h"

#include "RegOp.h"

namespace OERegistry {

std::string ValueText(HKEY root, const std::string& path, const std::string& name, std::int32_t options) {
    RegOp reg;
    reg.root(root);
    reg.key(path);
    reg.Options(options);
    return reg.Value(name).ToText();
}

std::vector<std::string> SubkeyNames(const std::string& path) {
    std::vector<std::string> names;
    RegOp reg;
    reg.key(path);
    const Variant keys = reg.AllKeys();
    if (!keys.IsArray())
        return names;
    for (const Variant& name : keys.Elements()) {
        // A subkey that vanished while it was enumerated leaves an empty slot.
        if (name.IsText() && !name.Text().empty())
            names.push_back(name.Text());
    }
    return names;
}

}  // namespace OERegistry
