#pragma once

// The string table as data, generated from strings.txt for the portable lane.
struct StringTableEntry {
    int id;
    const char* text;
};

extern const StringTableEntry kStringTable[];
extern const unsigned kStringTableSize;
