#pragma once
#include <string>

// The status window of "-show": a list of the run's phases and an OK button
// that the run enables when it is over. Modeless; it ends the program's
// message loop when it is unloaded.
namespace frmStatus {

// Creates and shows the window (Form_Load: caption, icon, centred).
void Show();
// Adds the line at the end of lstStatus and selects it; a line wider than
// the list can be scrolled to.
void AddLine(const std::string& text);
void EnableOK();
void Unload();
// Lets pending window messages run, so the window repaints during the run.
void DoEvents();
// Runs the message loop until the window is unloaded.
void RunUntilUnloaded();

}  // namespace frmStatus
