#pragma once
#include "CEmail.h"
#include "RecordCollection.h"

// The messages of a message store, in the order they were added.
class CEmails : public RecordCollection<CEmail> {
public:
    CEmails() : RecordCollection("CEmails::Remove()") {}
};
