#include <gtest/gtest.h>
#include <windows.h>

#include "FileSystem.h"
#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "modIPHostname.h"
#include "modMain.h"
#include "modService.h"

namespace {

// The stand-ins run from a program directory of this test's own, where
// they leave their records.
const ProgramLayout& Programs() {
    return ProgramLayout::Shared("service_control", {"kx_daemon.exe"});
}

const char kService[] = "BrindlecoteVarnholt";

bool RecordHas(const std::string& text) {
    return ReadWholeFile(RecordOf(Programs().Path("kx_daemon.exe"))).find(text) != std::string::npos;
}

// The daemon stand-in installed as the real service for each test.
class ServiceControl : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(RecordOf(Programs().Path("kx_daemon.exe")).c_str());
        DeleteFileA(StopDelayFile().c_str());
        Run("-install");
        host_ = modIPHostname::GetLocalHostName();
    }
    void TearDown() override {
        modService::ServiceStop(kService, host_);
        WaitForText("Service Is Stopped");
        Run("-uninstall");
        DeleteFileA(StopDelayFile().c_str());
    }
    static void Run(const char* argument) {
        ChildProcess daemon(Programs().Path("kx_daemon.exe"), argument);
        ASSERT_TRUE(daemon.WaitForExit(20000));
    }
    static std::string StopDelayFile() { return Programs().Path("kx_daemon.stopdelay"); }
    bool WaitForText(const std::string& text) {
        return WaitUntil([&] { return modService::ServiceStatusText(kService, host_) == text; }, 20000);
    }
    std::string host_;
};

TEST_F(ServiceControl, StartsAndStopsTheDaemonAndReportsEachState) {
    EXPECT_EQ(modService::ServiceStatusText(kService, host_), "Service Is Stopped");
    modService::ServiceStart(kService, host_);
    EXPECT_TRUE(WaitForText("Service Is Running"));
    EXPECT_TRUE(WaitUntil([] { return RecordHas("start service conf="); }, 5000));

    FileSystem::WriteWholeFile(StopDelayFile(), "3000");
    modService::ServiceStop(kService, host_);
    EXPECT_TRUE(WaitForText("Service Stop Pending"));
    EXPECT_TRUE(WaitForText("Service Is Stopped"));
    EXPECT_TRUE(RecordHas("stop service"));
}

TEST_F(ServiceControl, ALocalHostNameIsFound) {
    char expected[256] = "";
    DWORD size = sizeof expected;
    GetComputerNameExA(ComputerNameDnsHostname, expected, &size);
    EXPECT_FALSE(host_.empty());
    EXPECT_EQ(_stricmp(host_.c_str(), expected), 0) << host_ << " / " << expected;
}

TEST(ServiceNotInstalled, IsNotFoundAndLeavesStartAndStopWithoutEffect) {
    const std::string log = FileSystem::ProgramDirectory() + "\\console.txt";
    DeleteFileA(log.c_str());
    EXPECT_EQ(modService::ServiceStatusText("NoSuchBrindlecoteService", ""), "Service Not Found");
    EXPECT_NO_THROW(modService::ServiceStart("NoSuchBrindlecoteService", ""));
    EXPECT_NO_THROW(modService::ServiceStop("NoSuchBrindlecoteService", ""));
    EXPECT_NE(ReadWholeFile(log).find(" : Service NoSuchBrindlecoteService is not installed"), std::string::npos);
}

}  // namespace
