#include "OERegistry.h"

#include "RegOp.h"

namespace OERegistry {

bool KeyExists(HKEY root, const std::string& path) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

std::string ValueText(HKEY root, const std::string& path, const std::string& name, std::int32_t options) {
    if (!KeyExists(root, path))
        return "";
    RegOp reg;
    reg.root(root);
    reg.key(path);
    reg.Options(options);
    return reg.Value(name).ToText();
}

std::vector<std::string> SubkeyNames(const std::string& path) {
    std::vector<std::string> names;
    if (!KeyExists(HKEY_CURRENT_USER, path))
        return names;
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
