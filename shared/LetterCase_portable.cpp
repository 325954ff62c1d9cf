#include "LetterCase.h"

// Outside Windows there is no system code page to ask: the files are taken
// to be in code page 1252.
LetterCase LetterCase::OfSystemCodePage() {
    return CodePage1252();
}
