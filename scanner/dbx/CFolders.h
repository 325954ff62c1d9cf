#pragma once
#include "CFolder.h"
#include "RecordCollection.h"

// The folders of the folder store, in the order they were added.
class CFolders : public RecordCollection<CFolder> {
public:
    CFolders() : RecordCollection("CFolders::Remove()") {}
};
