#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "MsgBox.h"
#include "ProcessDriver.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "modMain.h"

namespace {

class MailClientNotify : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramTitle(kStrConsoleTitle);
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box);
            return MsgBoxResult::OK;
        });
        DeleteFileA(Record().c_str());
    }
    void TearDown() override { SetMsgBoxResponder(nullptr); }

    static std::string Record() { return RecordOf(TestBinPath("msimn.exe")); }
    static bool RecordHas(const std::string& text) { return ReadWholeFile(Record()).find(text) != std::string::npos; }

    std::vector<MsgBoxRequest> boxes_;
};

TEST_F(MailClientNotify, WithoutTheMailClientNothingIsSentOrShown) {
    ASSERT_EQ(FindWindowA("Outlook Express Browser Class", nullptr), nullptr);
    modMain::NotifyOE("KX_ENGINE_RELOAD");
    modMain::CloseOE();
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MailClientNotify, SendsTheRegisteredReloadMessagesAndTheCloseMessage) {
    ChildProcess client(TestBinPath("msimn.exe"), "");
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("Outlook Express Browser Class", nullptr) != nullptr; }, 10000));

    modMain::NotifyOE("KX_ENGINE_RELOAD");
    modMain::NotifyOE("KX_BALIIST_RELOAD");
    EXPECT_TRUE(RecordHas(" KX_ENGINE_RELOAD 0 0"));
    EXPECT_TRUE(RecordHas(" KX_BALIIST_RELOAD 0 0"));
    EXPECT_TRUE(boxes_.empty());

    modMain::CloseOE();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, LoadResText(430));
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(boxes_[0].title, "Brindlecote Admin Console");
    EXPECT_TRUE(client.WaitForExit(10000));
    EXPECT_TRUE(RecordHas("0x0010 WM_CLOSE 0 0"));
}

// A mail client that does not answer costs the console seconds, not its life.
TEST_F(MailClientNotify, AHungMailClientDoesNotHangTheConsole) {
    ChildProcess client(TestBinPath("msimn.exe"), "");
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (window = FindWindowA("Outlook Express Browser Class", nullptr)) != nullptr; }, 10000));
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
    ASSERT_NE(thread, nullptr);
    SuspendThread(thread);
    const ULONGLONG start = GetTickCount64();
    modMain::NotifyOE("KX_ENGINE_RELOAD");
    EXPECT_LT(GetTickCount64() - start, 15000u);
    client.Kill();
    CloseHandle(thread);
}

}  // namespace
