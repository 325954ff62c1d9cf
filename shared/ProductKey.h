#pragma once
#include "RegOp.h"

// The product's own registry key (string 386 under HKEY_LOCAL_MACHINE), where
// the console and the scanner keep their switches, totals and credentials.
class ProductKey : public RegOp {
public:
    ProductKey();
};
