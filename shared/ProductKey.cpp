#include "ProductKey.h"

#include "Resources.h"

ProductKey::ProductKey() {
    root(HKEY_LOCAL_MACHINE);
    key(LoadResText(386));
}
