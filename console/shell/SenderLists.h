#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class AddressList;

// The console's four sender and address lists, as the list pages and the
// entry dialogs change them.
enum class SenderList : int { Approved, Blocked, Ignored, ToMe };

namespace SenderLists {

inline constexpr SenderList kAll[] = {SenderList::Approved, SenderList::Blocked, SenderList::Ignored, SenderList::ToMe};

// False before the list is created at start-up (and after it is released).
bool Exists(SenderList which);
AddressList& List(SenderList which);
// The list file's name in the conf folder.
const char* FileName(SenderList which);
// The list's file: the program directory followed by its conf file.
std::string FilePath(SenderList which);
// The option tree's key of the list's page.
const char* PageKey(SenderList which);
// The main window's list box that shows the list.
int Box(SenderList which);
// "KX_BALIIST_RELOAD", or "KX_ENGINE_RELOAD" for the "to me" list.
const char* ReloadMessage(SenderList which);

// Reloads the list when another program has written its file since the list
// last matched it (the scanner appends blocked senders), so that a change
// saved next keeps that program's entries; true when it reloaded. The "to
// me" list has no stamp and no other writer; a list not created yet has
// nothing to catch up.
bool CatchUp(SenderList which);
// Records the list file's time as the one the list now matches; not for the
// "to me" list.
void RecordStamp(SenderList which);

// Runs a change of the list as one step among the programs that write its
// file (AddressList::Update): the change sees the file as it is now, and
// records the stamp itself where it should. A list error (a file that could
// not be read or written, a lock another program held too long, or a list
// that could not be loaded and so must not be saved over its file) is shown
// in a box; a file that cannot be read as text is logged each time and
// shown in a box the first time only. The list is then put back as its file
// holds it, so nothing stays changed in memory only. False after an error.
bool Change(SenderList which, const std::function<void()>& change);

}  // namespace SenderLists
