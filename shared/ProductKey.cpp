#include "ProductKey.h"

#include "Resources.h"
#include "StringIds.h"

ProductKey::ProductKey() {
    root(HKEY_LOCAL_MACHINE);
    key(LoadResText(kStrProductKey));
}
