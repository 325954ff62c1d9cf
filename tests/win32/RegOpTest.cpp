#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "RegOp.h"
#include "TextCompare.h"

using namespace std::string_literals;

// Readable failure output for values.
void PrintTo(const Variant& value, std::ostream* out) {
    if (value.IsEmpty()) {
        *out << "<empty>";
    } else if (value.IsText()) {
        *out << testing::PrintToString(value.Text());
    } else if (value.IsInteger()) {
        *out << "integer " << value.Integer();
    } else if (value.IsArray()) {
        *out << "[";
        for (const Variant& element : value.Elements()) {
            PrintTo(element, out);
            *out << " ";
        }
        *out << "]";
    } else if (value.IsObject()) {
        *out << "<object>";
    } else {
        *out << value.ToText();
    }
}

namespace {

std::string Dword(std::uint32_t number) {
    return std::string(reinterpret_cast<const char*>(&number), sizeof number);
}

// The process environment's variable names in order, hidden "=C:" entries left out.
std::vector<std::string> EnvironmentNames() {
    std::vector<std::string> names;
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        if (*entry != '=') {
            names.emplace_back(entry, std::strcspn(entry, "="));
        }
    }
    FreeEnvironmentStringsA(block);
    return names;
}

// Environment variables set for one test.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::vector<std::pair<std::string, std::string>> variables)
        : variables_(std::move(variables)) {
        for (const auto& [name, value] : variables_) {
            SetEnvironmentVariableA(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : variables_) {
            SetEnvironmentVariableA(name.c_str(), nullptr);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::string>> variables_;
};

struct Stored {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

// Each test works in its own key under HKEY_CURRENT_USER (and, for the root
// tests, the same path under HKEY_LOCAL_MACHINE), seeded and checked through
// the registry functions themselves.
class RegOpTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = "Software\\BrindlecoteTests\\"s + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        DeleteScratch();
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box);
            return MsgBoxResult::OK;
        });
        LogTrap::SetWriter([this](const std::string& line) { log_.push_back(line); });
    }

    void TearDown() override {
        SetMsgBoxResponder(nullptr);
        LogTrap::SetWriter(nullptr);
        DeleteScratch();
    }

    void DeleteScratch() const {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str());
    }

    std::string Sub(const std::string& below) const { return below.empty() ? path_ : path_ + "\\" + below; }

    void Seed(const std::string& name, DWORD type, const std::string& bytes, const std::string& below = "") const {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, Sub(below).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    void MakeKey(const std::string& path, HKEY root = HKEY_CURRENT_USER) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    Stored Read(const std::string& name, const std::string& below = "", HKEY root = HKEY_CURRENT_USER) const {
        Stored stored;
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, Sub(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return stored;
        }
        DWORD size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
            stored.bytes.resize(size);
            stored.exists = RegQueryValueExA(key, name.c_str(), nullptr, &stored.type,
                                             reinterpret_cast<BYTE*>(stored.bytes.data()), &size) == ERROR_SUCCESS;
            stored.bytes.resize(size);
        }
        RegCloseKey(key);
        return stored;
    }

    static bool KeyExists(const std::string& path, HKEY root = HKEY_CURRENT_USER) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    std::string path_;
    std::vector<MsgBoxRequest> boxes_;
    std::vector<std::string> log_;
};

TEST_F(RegOpTest, ReadsEachStoredTypeInItsCachedForm) {
    const std::string longText(5000, 'x');
    ScopedEnvironment environment({{"REGOP_TEST_DIR", "C:\\regop"}, {"REGOP_TEST_LONG", longText}});
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        std::int32_t options;
        Variant expected;
    };
    const Case cases[] = {
        {"text", REG_SZ, "hello\0"s, 0, "hello"},
        {"text without its NUL", REG_SZ, "abc"s, 0, "abc"},
        {"text up to the first NUL", REG_SZ, "ab\0cd\0"s, 0, "ab"},
        {"no data", REG_SZ, ""s, 0, ""},
        {"expandable, raw", REG_EXPAND_SZ, "%REGOP_TEST_DIR%\\x\0"s, 0, "%REGOP_TEST_DIR%\\x"},
        {"expandable, expanded", REG_EXPAND_SZ, "%REGOP_TEST_DIR%\\x\0"s, RegOp::kExpandReferences, "C:\\regop\\x"},
        {"expansion past 1024 characters", REG_EXPAND_SZ, "%REGOP_TEST_LONG%!\0"s, RegOp::kExpandReferences,
         longText + "!"},
        {"number", REG_DWORD, Dword(0x12345678), 0, 0x12345678},
        {"negative number", REG_DWORD, Dword(0xFFFFFFFE), 0, -2},
        {"number of two bytes", REG_DWORD, "\x34\x12"s, 0, 0x1234},
        {"number of eight bytes", REG_DWORD, Dword(7) + Dword(9), 0, 7},
        {"list as one text", REG_MULTI_SZ, "a\0bc\0\0"s, 0, "a\0bc"s},
        {"list as array", REG_MULTI_SZ, "a\0bc\0\0"s, RegOp::kMultiAsArray, Variant::Array{"a", "bc"}},
        {"list without its NULs", REG_MULTI_SZ, "a\0bc"s, RegOp::kMultiAsArray, Variant::Array{"a", "bc"}},
        {"list with one NUL", REG_MULTI_SZ, "a\0bc\0"s, RegOp::kMultiAsArray, Variant::Array{"a", "bc"}},
        {"empty list", REG_MULTI_SZ, "\0"s, RegOp::kMultiAsArray, Variant::Array{}},
        {"binary", REG_BINARY, "\x01\x02"s, 0, "(unsupported data format)"},
        {"64-bit number", REG_QWORD, Dword(1) + Dword(0), 0, "(unsupported data format)"},
    };
    for (const Case& c : cases) {
        Seed(c.name, c.type, c.bytes);
    }
    for (const Case& c : cases) {
        RegOp reg;
        reg.Options(c.options);
        reg.key(path_);
        EXPECT_EQ(reg.Value(c.name), c.expected) << c.name;
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(RegOpTest, WritePicksTheTypeFromTheDataAndTheExistingValue) {
    const std::string firstVariable = EnvironmentNames().at(0);
    struct Case {
        const char* name;
        DWORD existingType;  // REG_NONE: no value before
        std::string existingBytes;
        std::int32_t options;
        Variant data;
        bool written;
        DWORD type;  // REG_NONE: no value after
        std::string bytes;
    };
    const Case cases[] = {
        {"new integer", REG_NONE, "", 0, 5, true, REG_DWORD, Dword(5)},
        {"new text", REG_NONE, "", 0, "5", true, REG_SZ, "5\0"s},
        {"text over a number", REG_DWORD, Dword(7), 0, "5", true, REG_DWORD, Dword(5)},
        {"fraction over a number", REG_DWORD, Dword(7), 0, 2.5, true, REG_DWORD, Dword(2)},
        {"integer as text", REG_NONE, "", RegOp::kNumbersAsText, 5, true, REG_SZ, "5\0"s},
        {"integer over text", REG_SZ, "old\0"s, 0, 9, true, REG_SZ, "9\0"s},
        {"", REG_NONE, "", 0, 5, true, REG_SZ, "5\0"s},  // the key's default value
        {"array", REG_NONE, "", 0, Variant::Array{"a", 2}, true, REG_MULTI_SZ,
         "a\0"
         "2\0\0"s},
        {"empty array", REG_NONE, "", 0, Variant::Array{}, true, REG_MULTI_SZ, "\0\0"s},
        {"array over a list", REG_MULTI_SZ, "x\0\0"s, 0, Variant::Array{"y"}, true, REG_MULTI_SZ, "y\0\0"s},
        {"reference", REG_NONE, "", 0, "%"s + firstVariable + "%\\x", true, REG_EXPAND_SZ,
         "%"s + firstVariable + "%\\x\0"s},
        {"reference in other case", REG_NONE, "", 0, "%"s + LowerCase(firstVariable) + "%", true, REG_EXPAND_SZ,
         "%"s + LowerCase(firstVariable) + "%\0"s},
        {"single percent", REG_NONE, "", 0, "100%", true, REG_SZ, "100%\0"s},
        {"undefined reference", REG_NONE, "", 0, "%REGOP_NO_SUCH_VARIABLE%", true, REG_SZ,
         "%REGOP_NO_SUCH_VARIABLE%\0"s},
        {"double", REG_NONE, "", 0, 2.25, true, REG_SZ, "2.25\0"s},
        {"boolean", REG_NONE, "", 0, true, true, REG_SZ, "True\0"s},
        {"over binary", REG_BINARY, "\x01"s, 0, "x", false, REG_BINARY, "\x01"s},
        {"empty data", REG_NONE, "", 0, Variant(), true, REG_NONE, ""},
    };
    for (const Case& c : cases) {
        if (c.existingType != REG_NONE) {
            Seed(c.name, c.existingType, c.existingBytes);
        }
    }
    for (const Case& c : cases) {
        const std::size_t logged = log_.size();
        RegOp reg;
        reg.Options(c.options);
        reg.key(path_);
        EXPECT_EQ(reg.Value(c.name, c.data), c.written) << c.name;
        EXPECT_EQ(log_.size(), logged + (c.written ? 0 : 1)) << c.name;
        const Stored stored = Read(c.name);
        EXPECT_EQ(stored.exists, c.type != REG_NONE) << c.name;
        EXPECT_EQ(stored.type, c.type) << c.name;
        EXPECT_EQ(stored.bytes, c.bytes) << c.name;
    }
}

TEST_F(RegOpTest, DataThatCannotBecomeTheExistingNumberRaisesAndLeavesTheValue) {
    struct Case {
        Variant data;
        std::int32_t error;
    };
    const Case cases[] = {{"letters", 13}, {"", 13}, {Variant::Array{"1"}, 13}, {"1e12", 6}};
    Seed("number", REG_DWORD, Dword(7));
    for (const Case& c : cases) {
        RegOp reg;
        reg.key(path_);
        try {
            reg.Value("number", c.data);
            ADD_FAILURE() << testing::PrintToString(c.data) << " was written";
        } catch (const ObjectError& error) {
            EXPECT_EQ(error.Number(), c.error) << testing::PrintToString(c.data);
        }
        EXPECT_EQ(Read("number").bytes, Dword(7));
    }
}

TEST_F(RegOpTest, OnlyTheFirstHundredEnvironmentEntriesCountAsReferences) {
    // Enough variables that there surely are entries past the hundredth.
    std::vector<std::pair<std::string, std::string>> padding;
    for (int i = 0; i < 110; ++i) {
        padding.emplace_back("REGOP_PAD_" + std::to_string(1000 + i), "x");
    }
    ScopedEnvironment environment(padding);
    const std::vector<std::string> names = EnvironmentNames();
    ASSERT_GT(names.size(), 100u);

    RegOp reg;
    reg.key(path_);
    EXPECT_TRUE(reg.Value("hundredth", "%"s + names[99] + "%"));
    EXPECT_TRUE(reg.Value("hundred and first", "%"s + names[100] + "%"));
    EXPECT_EQ(Read("hundredth").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(Read("hundred and first").type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegOpTest, OptionsOutsideZeroToFifteenAreIgnored) {
    Seed("list", REG_MULTI_SZ, "a\0b\0\0"s);
    struct Case {
        std::int32_t second;
        bool array;
    };
    const Case cases[] = {{16, true}, {-1, true}, {255, true}, {15, true}, {0, false}};
    for (const Case& c : cases) {
        RegOp reg;
        reg.Options(RegOp::kMultiAsArray);
        reg.Options(c.second);
        reg.key(path_);
        EXPECT_EQ(reg.Value("list").IsArray(), c.array) << c.second;
    }
}

TEST_F(RegOpTest, AValueChangedBehindTheObjectIsSeenOnlyOnceTheCacheIsEmptied) {
    struct Case {
        const char* label;
        std::function<void(RegOp&)> between;
        const char* seen;
    };
    const Case cases[] = {
        {"nothing", [](RegOp&) {}, "old"},
        {"a write", [](RegOp& reg) { reg.Value("other", "x"); }, "new"},
        {"a deleted value", [](RegOp& reg) { reg.DeleteValue("spare"); }, "new"},
        {"another key and back",
         [this](RegOp& reg) {
             reg.key(Sub("elsewhere"));
             reg.key(path_);
         },
         "new"},
        {"the same key in other case", [this](RegOp& reg) { reg.key(LowerCase(path_)); }, "old"},
    };
    for (const Case& c : cases) {
        Seed("watched", REG_SZ, "old\0"s);
        Seed("spare", REG_SZ, "\0"s);
        RegOp reg;
        reg.key(path_);
        ASSERT_EQ(reg.Value("watched"), Variant("old")) << c.label;
        Seed("watched", REG_SZ, "new\0"s);
        c.between(reg);
        EXPECT_EQ(reg.Value("WATCHED"), Variant(c.seen)) << c.label;
    }
}

// Reading, counting and deleting in a key that is not there answer nothing,
// show no box even with option 8, and leave the key and its parents absent
// under either root.
TEST_F(RegOpTest, WhatOnlyReadsAKeyThatIsNotThereCreatesNothing) {
    struct Case {
        const char* label;
        std::function<bool(RegOp&)> answersNothing;
    };
    const Case cases[] = {
        {"Value", [](RegOp& reg) { return reg.Value("x").IsEmpty(); }},
        {"AllValues", [](RegOp& reg) { return reg.AllValues().IsEmpty(); }},
        {"AllKeys", [](RegOp& reg) { return reg.AllKeys().IsEmpty(); }},
        {"ValueCount", [](RegOp& reg) { return reg.ValueCount() == 0; }},
        {"KeyCount", [](RegOp& reg) { return reg.KeyCount() == 0; }},
        {"DeleteValue", [](RegOp& reg) { return !reg.DeleteValue("x"); }},
        {"DeleteKey", [](RegOp& reg) { return !reg.DeleteKey(); }},
        {"another key",
         [this](RegOp& reg) {
             reg.key(Sub("missing\\other"));
             return reg.Value("x").IsEmpty();
         }},
        {"another root",
         [](RegOp& reg) {
             reg.root(HKEY_LOCAL_MACHINE);
             return reg.Value("x").IsEmpty();
         }},
    };
    for (const Case& c : cases) {
        for (const std::int32_t options : {0, RegOp::kShowErrors}) {
            DeleteScratch();
            RegOp reg;
            reg.Options(options);
            reg.key(Sub("missing\\deeper"));
            EXPECT_TRUE(c.answersNothing(reg)) << c.label;
            EXPECT_FALSE(KeyExists(path_)) << c.label;
            EXPECT_FALSE(KeyExists(path_, HKEY_LOCAL_MACHINE)) << c.label;
            EXPECT_TRUE(boxes_.empty()) << c.label << ", options " << options;
            boxes_.clear();
        }
    }
}

TEST_F(RegOpTest, AWriteCreatesTheKeyWithItsMissingParents) {
    RegOp reg;
    reg.key(Sub("first"));
    EXPECT_TRUE(reg.Value("anything").IsEmpty());
    reg.key(Sub("second\\deeper"));
    reg.key("");  // ignored
    EXPECT_TRUE(reg.Value("name", "x"));
    EXPECT_TRUE(Read("name", "second\\deeper").exists);
    EXPECT_EQ(reg.Value("name"), Variant("x"));
    EXPECT_FALSE(KeyExists(Sub("first")));
}

TEST_F(RegOpTest, AKeyThatCannotBeOpenedAnswersNothingNotEvenTheLastKeysValues) {
    Seed("here", REG_SZ, "h\0"s);
    MakeKey(Sub("below"));
    RegOp reg;
    reg.key(path_);
    ASSERT_EQ(reg.Value("here"), Variant("h"));
    reg.key("\\" + path_);
    EXPECT_TRUE(reg.Value("here").IsEmpty());
    EXPECT_TRUE(reg.AllValues().IsEmpty());
    EXPECT_TRUE(reg.AllKeys().IsEmpty());
    EXPECT_EQ(reg.ValueCount(), 0);
    EXPECT_EQ(reg.KeyCount(), 0);
    EXPECT_FALSE(reg.DeleteValue("here"));
    EXPECT_TRUE(Read("here").exists);
}

TEST_F(RegOpTest, RootsOtherThanTheThreeLowestActAsCurrentUser) {
    struct Case {
        const char* label;
        HKEY root;
    };
    const Case cases[] = {{"users", HKEY_USERS}, {"zero", nullptr}, {"current config", HKEY_CURRENT_CONFIG}};
    for (const Case& c : cases) {
        RegOp reg;
        reg.root(HKEY_LOCAL_MACHINE);
        reg.root(c.root);
        reg.key(path_);
        EXPECT_TRUE(reg.Value(c.label, "x"));
        EXPECT_TRUE(Read(c.label).exists) << c.label;
        EXPECT_FALSE(Read(c.label, "", HKEY_LOCAL_MACHINE).exists) << c.label;
    }
}

TEST_F(RegOpTest, ChangingTheRootReopensTheKeyAtOnceUnderTheNewRoot) {
    Seed("here", REG_SZ, "user\0"s);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, path_.c_str(), "here", REG_SZ, "machine", 8), ERROR_SUCCESS);
    RegOp reg;
    reg.key(path_);
    ASSERT_EQ(reg.Value("here"), Variant("user"));
    reg.root(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.Value("here"), Variant("machine"));
}

TEST_F(RegOpTest, AllValuesGivesNameAndDataRowsInEnumerationOrder) {
    const std::string longName(300, 'n');
    const std::string bigData(100000, 'd');
    Seed("text", REG_SZ, "t\0"s);
    Seed("number", REG_DWORD, Dword(42));
    Seed(longName, REG_SZ, bigData + '\0');
    Seed("", REG_SZ, "default\0"s);
    const std::vector<std::pair<std::string, Variant>> data = {
        {"text", "t"}, {"number", 42}, {longName, bigData}, {"", "default"}};

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    Variant::Array expected;
    char name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        for (const auto& [valueName, value] : data) {
            if (valueName == name) {
                expected.emplace_back(Variant::Array{valueName, value});
            }
        }
    }
    RegCloseKey(key);
    ASSERT_EQ(expected.size(), data.size());

    RegOp reg;
    reg.key(path_);
    EXPECT_EQ(reg.AllValues(), Variant(expected));
    EXPECT_EQ(reg.ValueCount(), 4);
}

TEST_F(RegOpTest, AllKeysGivesTheSubkeyNamesInEnumerationOrder) {
    const std::string longName(120, 'k');
    for (const std::string& name : {"one"s, "two"s, longName}) {
        MakeKey(Sub(name + "\\below"));
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    Variant::Array expected;
    char name[1024];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        expected.emplace_back(name);
    }
    RegCloseKey(key);
    ASSERT_EQ(expected.size(), 3u);

    RegOp reg;
    reg.key(path_);
    EXPECT_EQ(reg.AllKeys(), Variant(expected));
    EXPECT_EQ(reg.KeyCount(), 3);
}

TEST_F(RegOpTest, AnEmptyKeyHasNoValuesAndNoSubkeys) {
    RegOp reg;
    reg.key(path_);
    EXPECT_TRUE(reg.AllValues().IsEmpty());
    EXPECT_TRUE(reg.AllKeys().IsEmpty());
    EXPECT_EQ(reg.ValueCount(), 0);
    EXPECT_EQ(reg.KeyCount(), 0);
}

// Values and subkeys that came, or grew past the sizes the key reported,
// after the object opened the key are still read whole.
TEST_F(RegOpTest, ValuesAndSubkeysThatGrewSinceTheKeyWasOpenedAreReadWhole) {
    Seed("small", REG_SZ, "s\0"s);
    MakeKey(Sub("k"));
    RegOp reg;
    reg.key(path_);
    ASSERT_EQ(reg.ValueCount(), 1);
    ASSERT_EQ(reg.KeyCount(), 1);

    const std::string bigName(500, 'v');
    const std::string bigData(70000, 'd');
    Seed(bigName, REG_SZ, bigData + '\0');
    Seed("small", REG_SZ, bigData + '\0');
    const std::string longKey(150, 'k');
    MakeKey(Sub(longKey));

    EXPECT_EQ(reg.Value(bigName), Variant(bigData));
    EXPECT_EQ(reg.Value("small"), Variant(bigData));
    const Variant keys = reg.AllKeys();
    ASSERT_TRUE(keys.IsArray());
    ASSERT_EQ(keys.Elements().size(), 2u);
    EXPECT_NE(std::find(keys.Elements().begin(), keys.Elements().end(), Variant(longKey)), keys.Elements().end());
}

TEST_F(RegOpTest, DeleteValueRemovesTheValueAndEmptiesTheCache) {
    Seed("gone", REG_SZ, "g\0"s);
    Seed("kept", REG_SZ, "k\0"s);
    RegOp reg;
    reg.key(path_);
    ASSERT_EQ(reg.Value("gone"), Variant("g"));
    EXPECT_TRUE(reg.DeleteValue("GONE"));
    EXPECT_FALSE(Read("gone").exists);
    EXPECT_TRUE(reg.Value("gone").IsEmpty());
    EXPECT_EQ(reg.ValueCount(), 1);
    EXPECT_FALSE(reg.DeleteValue("never there"));
    EXPECT_TRUE(Read("kept").exists);
}

TEST_F(RegOpTest, DeleteKeyRemovesTheLastLevelWithItsSubkeysAndStaysOnTheParent) {
    MakeKey(Sub("A\\B\\C\\D\\E"));
    Seed("in C", REG_SZ, "c\0"s, "A\\B\\C");
    Seed("in D", REG_SZ, "d\0"s, "A\\B\\C\\D");
    RegOp reg;
    reg.key(Sub("A\\B\\C"));
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(KeyExists(Sub("A\\B\\C")));
    EXPECT_TRUE(KeyExists(Sub("A\\B")));

    EXPECT_TRUE(reg.Value("after", "x"));
    EXPECT_TRUE(Read("after", "A\\B").exists);
    EXPECT_FALSE(KeyExists(Sub("A\\B\\C")));
}

TEST_F(RegOpTest, DeleteKeyNeverDeletesAFirstLevelKey) {
    const std::string topLevel = "BrindlecoteTestsTopLevel";
    MakeKey(topLevel + "\\below");
    MakeKey(Sub("kept"));
    const std::string keys[] = {topLevel, "\\" + topLevel, Sub("kept\\")};
    for (const std::string& key : keys) {
        RegOp reg;
        reg.key(key);
        EXPECT_FALSE(reg.DeleteKey()) << key;
    }
    EXPECT_TRUE(KeyExists(topLevel + "\\below"));
    EXPECT_TRUE(KeyExists(Sub("kept")));
    RegDeleteTreeA(HKEY_CURRENT_USER, topLevel.c_str());
}

TEST_F(RegOpTest, FailuresShowARegistryErrorBoxOnlyWithOptionEight) {
    Seed("binary", REG_BINARY, "\x01"s);
    struct Case {
        const char* label;
        std::function<void(RegOp&)> act;
        const char* text;
    };
    const Case cases[] = {
        {"read without a key", [](RegOp& reg) { reg.Value("x"); }, "No Key name specified!"},
        {"write without a key", [](RegOp& reg) { reg.Value("x", "y"); }, "No Key name specified!"},
        {"count without a key", [](RegOp& reg) { reg.KeyCount(); }, "No Key name specified!"},
        {"delete without a key", [](RegOp& reg) { reg.DeleteKey(); }, "No Key name specified!"},
        {"key that cannot be opened",
         [this](RegOp& reg) {
             reg.key("\\" + path_);
             reg.Value("x");
         },
         "Could not open Registry Key!"},
        {"existing value of another type",
         [this](RegOp& reg) {
             reg.key(path_);
             reg.Value("binary", "y");
         },
         "Existing value has unsupported data type and will not be overwritten"},
    };
    for (const Case& c : cases) {
        for (const std::int32_t options : {RegOp::kShowErrors, 0}) {
            boxes_.clear();
            RegOp reg;
            reg.Options(options);
            c.act(reg);
            if (options == 0) {
                EXPECT_TRUE(boxes_.empty()) << c.label;
                continue;
            }
            ASSERT_EQ(boxes_.size(), 1u) << c.label;
            EXPECT_EQ(boxes_[0].text, c.text) << c.label;
            EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation) << c.label;
            EXPECT_EQ(boxes_[0].title, "Registry Error") << c.label;
        }
    }
}

TEST_F(RegOpTest, AFailedWriteGivesFalseAndLogsKeyValueAndSystemError) {
    struct Case {
        const char* label;
        std::function<void(RegOp&)> setUp;
        std::string key;
        const char* error;
    };
    const Case cases[] = {
        {"key that cannot be opened", [this](RegOp& reg) { reg.key("\\" + path_); }, "\\" + path_, "error 161"},
        {"key deleted under the open handle",
         [this](RegOp& reg) {
             reg.key(path_);
             ASSERT_TRUE(reg.Value("first", "x"));
             ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS);
         },
         path_, "error 1018"},
    };
    for (const Case& c : cases) {
        RegOp reg;
        c.setUp(reg);
        log_.clear();
        EXPECT_FALSE(reg.Value("LastOEScan", "now")) << c.label;
        ASSERT_EQ(log_.size(), 1u) << c.label;
        EXPECT_NE(log_[0].find("\"LastOEScan\""), std::string::npos) << log_[0];
        EXPECT_NE(log_[0].find("HKEY_CURRENT_USER\\" + c.key + ":"), std::string::npos) << log_[0];
        EXPECT_NE(log_[0].find(c.error), std::string::npos) << log_[0];
        EXPECT_FALSE(Read("LastOEScan").exists) << c.label;
    }
}

}  // namespace
