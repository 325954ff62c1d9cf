#pragma once
#include <string>

// The lane's own message box, behind MsgBox: the Windows one in the programs,
// a line on standard error in the portable lane (which has no desktop).
int ShowPlatformMsgBox(const std::string& text, unsigned style, const std::string& title);
