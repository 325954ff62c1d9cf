#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <string>

#include "WindowHelpers.h"

namespace {

HWND MakeControl(const char* windowClass, DWORD style, int width = 200, int height = 100) {
    return CreateWindowExA(0, windowClass, "", style, 10, 10, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Longer than every buffer the readers once had (256, 512, 1024 bytes).
std::string LongText(char first) {
    std::string text;
    for (int i = 0; i < 6000; ++i)
        text.push_back(static_cast<char>(first + i % 26));
    return text;
}

TEST(WindowText, ReadsCaptionsAndEditsWhole) {
    struct Case {
        const char* windowClass;
        DWORD style;
        std::string text;
    };
    const Case cases[] = {
        {"EDIT", WS_POPUP | ES_AUTOHSCROLL, LongText('a')},
        {"EDIT", WS_POPUP | ES_MULTILINE, "first line\r\nsecond line"},
        {"#32770", WS_OVERLAPPEDWINDOW, LongText('A')},
        {"STATIC", WS_POPUP, ""},
    };
    for (const Case& c : cases) {
        HWND window = MakeControl(c.windowClass, c.style);
        ASSERT_NE(window, nullptr) << c.windowClass;
        SetWindowTextA(window, c.text.c_str());
        EXPECT_EQ(WindowText(window), c.text) << c.windowClass << " " << c.text.size();
        DestroyWindow(window);
    }
}

TEST(WindowText, NoWindowReadsEmpty) {
    EXPECT_EQ(WindowText(nullptr), "");
}

TEST(ListBoxText, ReadsEachItemWholeAndNothingOutsideTheBox) {
    HWND box = MakeControl("LISTBOX", WS_POPUP | LBS_HASSTRINGS);
    ASSERT_NE(box, nullptr);
    const std::string items[] = {LongText('a'), "", "short@example.com"};
    for (const std::string& item : items)
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ListBoxText(box, i), items[i]) << i;
    EXPECT_EQ(ListBoxText(box, 3), "");
    EXPECT_EQ(ListBoxText(box, -1), "");
    DestroyWindow(box);
}

TEST(ListViewText, ReadsEachItemWholeAndNothingOutsideTheList) {
    // Loading the common controls registers their window classes.
    ASSERT_NE(LoadLibraryA("comctl32.dll"), nullptr);
    HWND list = MakeControl(WC_LISTVIEWA, WS_POPUP | LVS_REPORT);
    ASSERT_NE(list, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(list, 0, &column);
    // 255 and 256 bytes sit at the edge of the reader's first buffer.
    const std::string items[] = {LongText('a'), "", "zone.example.org", std::string(255, 'x'), std::string(256, 'y')};
    for (const std::string& text : items) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = const_cast<char*>(text.c_str());
        ListView_InsertItem(list, &item);
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ListViewText(list, i), items[i]) << i;
    EXPECT_EQ(ListViewText(list, 5), "");
    EXPECT_EQ(ListViewText(list, -1), "");
    DestroyWindow(list);
}

TEST(CenterOnScreen, PutsTheWindowInTheMiddleAndKeepsItsSize) {
    const SIZE sizes[] = {{301, 157}, {200, 100}};
    for (const SIZE& size : sizes) {
        HWND window = MakeControl("#32770", WS_POPUP, size.cx, size.cy);
        ASSERT_NE(window, nullptr);
        CenterOnScreen(window);
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.right - frame.left, size.cx);
        EXPECT_EQ(frame.bottom - frame.top, size.cy);
        EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2) << size.cx;
        EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2) << size.cy;
        DestroyWindow(window);
    }
}

}  // namespace
