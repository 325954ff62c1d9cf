#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "ProcessDriver.h"

namespace {

using Constructor = std::int32_t(const char*, const char*);
using HandleCall = std::int32_t(std::int32_t);
using AddressLookup = std::int32_t(std::int32_t, char*, std::int32_t*);
using AddressCall = std::int32_t(std::int32_t, char*, std::int32_t, std::int32_t);
using MessageCall = std::int32_t(std::int32_t, const char*, std::int32_t, std::int32_t);
using OptionCall = std::int32_t(std::int32_t, const char*, char*, std::int32_t*);

// The engine of the program directory, and a conf folder of the test's own.
class Fendrake : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA(DistPath("fendrake.dll").c_str());
        ASSERT_NE(library_, nullptr);
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        conf_ = std::string(temp) + "fendrake_test_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(conf_.c_str(), nullptr);
        RemoveFiles();
    }
    void TearDown() override {
        if (library_ != nullptr) {
            FreeLibrary(library_);
        }
        RemoveFiles();
        RemoveDirectoryA(conf_.c_str());
    }

    void RemoveFiles() const {
        for (const char* file : {"fendrake.totals", "fendrake.from", "fendrake.to", "fendrake.messages"}) {
            DeleteFileA(File(file).c_str());
        }
    }

    template <class Function>
    Function* Call(const char* name) {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }

    std::string File(const char* name) const { return conf_ + "\\" + name; }

    std::string Option(std::int32_t handle, const char* name, std::int32_t size) {
        // Guard bytes after the size the engine is given.
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        std::int32_t given = size;
        Call<OptionCall>("KX_getOption")(handle, name, buffer, &given);
        for (std::size_t i = static_cast<std::size_t>(size); i < sizeof buffer; ++i) {
            EXPECT_EQ(buffer[i], '#') << "written past the buffer at " << i;
        }
        return std::string(buffer, strnlen(buffer, static_cast<std::size_t>(size)));
    }

    HMODULE library_ = nullptr;
    std::string conf_;
};

TEST_F(Fendrake, KeepsTotalsAndAddressesInItsConfFolderAcrossHandles) {
    const std::int32_t handle = Call<Constructor>("KX_constructor")("Varnholt", conf_.c_str());
    ASSERT_NE(handle, 0);
    EXPECT_EQ(Call<HandleCall>("KX_initialize")(handle), 0);
    char sender[] = "friend@example.com";
    std::int32_t found = 0;
    Call<AddressLookup>("KX_getSpamAddrFrom")(handle, sender, &found);
    EXPECT_EQ(found, 0);
    Call<AddressCall>("KX_addSpamAddrFrom")(handle, sender, 1, -1);
    Call<AddressLookup>("KX_getSpamAddrFrom")(handle, sender, &found);
    EXPECT_NE(found, 0);
    char recipient[] = "pal@example.org";
    Call<AddressCall>("KX_addSpamAddrTo")(handle, recipient, 1, -1);
    Call<AddressCall>("KX_addSpamAddrTo")(handle, recipient, 1, -1);
    Call<MessageCall>("KX_addMessage2")(handle, "Subject: one\r\n\r\nbody", -100, 0);
    Call<MessageCall>("KX_addMessage2")(handle, "From: x\r\n\r\nSubject: not a header", -120, 0);
    Call<MessageCall>("KX_addMessage2")(handle, "Subject: spam\r\n\r\n", 100, 0);
    EXPECT_EQ(Option(handle, "wordtraining_totalham", 20), "2");
    EXPECT_EQ(Option(handle, "wordtraining_totalspam", 20), "1");
    EXPECT_EQ(Call<HandleCall>("KX_destructor")(handle), 0);

    EXPECT_EQ(ReadWholeFile(File("fendrake.totals")), "wordtraining_totalspam=1\r\nwordtraining_totalham=2\r\n");
    EXPECT_EQ(ReadWholeFile(File("fendrake.from")), "friend@example.com\r\n");
    EXPECT_EQ(ReadWholeFile(File("fendrake.to")), "pal@example.org\r\n");
    EXPECT_EQ(ReadWholeFile(File("fendrake.messages")), "-100 0 one\r\n-120 0 \r\n100 0 spam\r\n");

    // A new engine on the same folder goes on from there, under a handle of its own.
    const std::int32_t next = Call<Constructor>("KX_constructor")("Varnholt", conf_.c_str());
    EXPECT_NE(next, handle);
    Call<AddressLookup>("KX_getSpamAddrFrom")(next, sender, &found);
    EXPECT_NE(found, 0);
    EXPECT_EQ(Option(next, "wordtraining_totalham", 20), "2");
    Call<HandleCall>("KX_destructor")(next);
}

TEST_F(Fendrake, NeverWritesPastTheBufferItIsGiven) {
    const std::int32_t handle = Call<Constructor>("KX_constructor")("Varnholt", conf_.c_str());
    for (int i = 0; i < 12345; ++i) {
        Call<MessageCall>("KX_addMessage2")(handle, "", -100, 0);
    }
    EXPECT_EQ(Option(handle, "wordtraining_totalham", 20), "12345");
    EXPECT_EQ(Option(handle, "wordtraining_totalham", 3), "12");
    EXPECT_EQ(Option(handle, "wordtraining_totalham", 1), "");
    Call<HandleCall>("KX_destructor")(handle);
}

TEST_F(Fendrake, RefusesHandlesItDidNotGiveAndUnknownOptions) {
    const std::int32_t handle = Call<Constructor>("KX_constructor")("Varnholt", conf_.c_str());
    char address[] = "a@b";
    std::int32_t found = 0;
    EXPECT_EQ(Call<AddressLookup>("KX_getSpamAddrFrom")(0, address, &found), -1);
    EXPECT_EQ(Call<MessageCall>("KX_addMessage2")(handle + 1000, "Subject: x", -100, 0), -1);
    EXPECT_EQ(Call<HandleCall>("KX_destructor")(-5), -1);
    char buffer[20] = "";
    std::int32_t size = 20;
    EXPECT_EQ(Call<OptionCall>("KX_getOption")(handle, "no_such_option", buffer, &size), -1);
    EXPECT_EQ(Call<HandleCall>("KX_destructor")(handle), 0);
    EXPECT_EQ(Call<HandleCall>("KX_destructor")(handle), -1);
    EXPECT_EQ(Call<Constructor>("KX_constructor")("Varnholt", ""), 0);
}

}  // namespace
