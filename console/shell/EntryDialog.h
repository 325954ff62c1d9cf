#pragma once
#include <windows.h>

#include <string>

// What the list-entry dialogs share: a modal dialog owned by the main
// window (handed in by the caller), centred on the screen, with icon 101, a prompt, one entry box and
// OK and Cancel. Esc presses nothing; the close box cancels.
class EntryDialog {
public:
    virtual ~EntryDialog() = default;

protected:
    void ShowModal(int templateId, HWND owner);

    virtual void Form_Load() = 0;
    // True when the entry was taken and the dialog may close.
    virtual bool cmdOK_Click() = 0;

    // Centres the window, sets its icon and the captions of the window, the
    // prompt and the two buttons.
    void Decorate(int captionId, int promptId);
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    // Puts the text in the entry box with all of it selected.
    void ShowEntry(int box, const std::string& text);
    // Trims the box's text of spaces and lower-cases it, showing each step
    // in the box; false, after the message of emptyMessageId, when nothing
    // is left.
    bool ReadEntry(int box, int emptyMessageId, std::string& entry);
    // Shows a message with OK only, titled with the program's title.
    static void Tell(const std::string& text);

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The first selected item of a list box, counted from 0; -1 when none is.
int FirstSelectedItem(HWND box);
