#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Conf.h"
#include "ConfFixture.h"
#include "ConfSamples.h"
#include "NotTextFiles.h"
#include "ProgramTitle.h"

namespace {

class ConfTest : public ConfFixture {
protected:
    // A Conf over the file "settings.conf", holding the text, loaded.
    Conf Loaded(const std::string& text) {
        WriteFile("settings.conf", text);
        Conf conf;
        conf.ConfigFile(PathOf("settings.conf"));
        conf.Load();
        return conf;
    }
    std::string Saved() { return ReadFile("settings.conf"); }
};

TEST_F(ConfTest, UnchangedSettingsSaveBackByteForByte) {
    const std::string text =
        "# daemon settings\r\n"
        "\r\n"
        "listen_port=8110\r\n"
        "Spam_Timeout=5\r\n"
        "formula=a=b\r\n"
        "  #indented=1\r\n"
        "spaced = value \r\n"
        "=nameless\r\n"
        "unknown_to_us=\xE9t\xE9\r\n"
        "# end\r\n";
    Conf conf = Loaded(text);
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), text);
    EXPECT_TRUE(log_.empty());
}

// The file has no lock, and the map is what a save writes: every key it holds
// goes on every line that spells it, in the file's capitals, whatever the
// file held or another program wrote there since the load.
TEST_F(ConfTest, ASaveWritesEveryKeyTheMapHoldsOnEveryLineThatSpellsIt) {
    const struct {
        const char* name;
        std::string loaded;
        // Run between the load and the save.
        std::function<void(Conf&)> meanwhile;
        std::string saved;
    } cases[] = {
        {"a key on two lines gets the value a lookup finds on both", "Dup=first\r\nx=1\r\ndup=second\r\n",
         [](Conf& conf) { conf.SetValue("x", "2"); }, "Dup=first\r\nx=2\r\ndup=first\r\n"},
        {"a key written on its own in other capitals agrees with the file's line", "OE_SCAN=no\r\nlisten_port=8110\r\n",
         [](Conf& conf) {
             conf.SetValue("oe_scan", "yes");
             ASSERT_TRUE(conf.WriteValue("oe_scan", "yes"));
             conf.SetValue("listen_port", "9000");
         },
         "OE_SCAN=yes\r\nlisten_port=9000\r\noe_scan=yes\r\n"},
        {"what another program wrote to a held key is written over, its own keys stay",
         "listen_port=8110\r\nspam_timeout=5\r\n",
         [this](Conf&) { WriteFile("settings.conf", "listen_port=8123\r\nspam_timeout=5\r\nadded_elsewhere=1\r\n"); },
         "listen_port=8110\r\nspam_timeout=5\r\nadded_elsewhere=1\r\n"},
        {"held keys another program removed are appended again in key order",
         "spam_timeout=5\r\nlisten_port=8110\r\nrestrict_to_me=no\r\n",
         [this](Conf&) { WriteFile("settings.conf", "listen_port=8110\r\n"); },
         "listen_port=8110\r\nrestrict_to_me=no\r\nspam_timeout=5\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Conf conf = Loaded(c.loaded);
        c.meanwhile(conf);
        ASSERT_TRUE(conf.Save());
        EXPECT_EQ(Saved(), c.saved);
    }
    EXPECT_TRUE(log_.empty());
}

TEST_F(ConfTest, KeyIsTheTextBeforeTheFirstEqualsSign) {
    Conf conf = Loaded(
        "formula=a=b\r\n"
        "#comment=1\r\n"
        "  #indented=1\r\n"
        "spaced = value \r\n"
        "no equals here\r\n"
        "=nameless\r\n"
        "empty=\r\n");
    struct Case {
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"formula", "a=b"},
        {"FORMULA", "a=b"},
        {"#comment", std::nullopt},
        {"  #indented", "1"},
        {"spaced ", " value "},
        {"spaced", std::nullopt},
        {"no equals here", std::nullopt},
        {"", "nameless"},
        {"empty", ""},
        {"never_there", std::nullopt},
    };
    for (const Case& c : cases) {
        const Variant value = conf.GetValue(c.key);
        EXPECT_EQ(conf.KeyExists(c.key), c.value.has_value()) << "[" << c.key << "]";
        if (c.value) {
            EXPECT_EQ(value, Variant(*c.value)) << "[" << c.key << "]";
        } else {
            EXPECT_TRUE(value.IsEmpty()) << "[" << c.key << "]";
        }
    }
}

using ConfSamples::BinaryBytes;
using ConfSamples::Utf16;

// Lines around a setting that both ways of writing change: whatever they
// hold, they come back byte for byte.
TEST_F(ConfTest, LinesNotChangedKeepEveryByteThroughSaveAndWriteValue) {
    for (const ConfSamples::Sample& sample : ConfSamples::UntouchedLines(2 << 20)) {
        const std::string& lines = sample.bytes;
        const char* name = sample.name;
        const std::string file = lines + "listen_port=8110\r\n" + lines;
        Conf conf = Loaded(file);
        conf.SetValue("listen_port", "9");
        ASSERT_TRUE(conf.Save()) << name;
        const std::string saved = lines + "listen_port=9\r\n" + lines;
        EXPECT_TRUE(Saved() == saved) << name << ": " << Saved().size() << " bytes, not " << saved.size();
        ASSERT_TRUE(conf.WriteValue("listen_port", "10")) << name;
        ASSERT_TRUE(conf.WriteValue("oe_spam", "90")) << name;
        const std::string written = lines + "listen_port=10\r\n" + lines + "oe_spam=90\r\n";
        EXPECT_TRUE(Saved() == written) << name << ": " << Saved().size() << " bytes, not " << written.size();
    }
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(boxes_.empty());
}

// Notepad's "UTF-8" puts a byte-order mark in front of the first line. It is
// the file's, not the first key's: the key is found as written, and both
// ways of writing rewrite that key's line in place with the mark kept in
// front, once. Further on in the file the mark's bytes are ordinary bytes.
TEST_F(ConfTest, AByteOrderMarkInFrontBelongsToTheFileNotToTheFirstKey) {
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        std::string file;
        std::string key;
        // nullptr: the file has no line for the key.
        const char* loaded;
        // Set before the save; WriteValue then writes "10".
        const char* set;
        std::string saved;
        std::string written;
    } cases[] = {
        {"a marked file", mark + "listen_port=8110\r\n# port\r\n", "listen_port", "8110", "9",
         mark + "listen_port=9\r\n# port\r\n", mark + "listen_port=10\r\n# port\r\n"},
        {"one line without an end", mark + "listen_port=8110", "listen_port", "8110", "9", mark + "listen_port=9\r\n",
         mark + "listen_port=10\r\n"},
        {"the first line dropped", mark + "listen_port=8110\nb=2\n", "listen_port", "8110", "", mark + "b=2\n",
         mark + "b=2\nlisten_port=10\r\n"},
        {"the mark alone", mark, "listen_port", nullptr, "9", mark + "listen_port=9\r\n", mark + "listen_port=10\r\n"},
        {"a second mark is the first key's", mark + mark + "k=1\r\n", mark + "k", "1", "9", mark + mark + "k=9\r\n",
         mark + mark + "k=10\r\n"},
        {"a mark further on", "a=1\r\n" + mark + "k=1\r\n", mark + "k", "1", "9", "a=1\r\n" + mark + "k=9\r\n",
         "a=1\r\n" + mark + "k=10\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Conf conf = Loaded(c.file);
        EXPECT_TRUE(conf.LoadedAsText());
        EXPECT_EQ(conf.KeyExists(c.key), c.loaded != nullptr);
        EXPECT_EQ(conf.TextValue(c.key), c.loaded ? c.loaded : "");
        conf.SetValue(c.key, c.set);
        ASSERT_TRUE(conf.Save());
        EXPECT_EQ(Saved(), c.saved);
        ASSERT_TRUE(conf.WriteValue(c.key, "10"));
        EXPECT_EQ(Saved(), c.written);
        // What was written loads back with the key as it was spelt.
        EXPECT_EQ(Loaded(Saved()).TextValue(c.key), "10");
    }
    EXPECT_TRUE(log_.empty());
}

// A new file whose first key begins with the mark's bytes gets a mark in
// front of them, or a load would take them for the file's mark.
TEST_F(ConfTest, ANewFileReadsBackAKeyThatBeginsWithTheMarksBytes) {
    const std::string key = "\xEF\xBB\xBFk";
    Conf conf;
    conf.ConfigFile(PathOf("settings.conf"));
    conf.SetValue(key, "1");
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), "\xEF\xBB\xBF" + key + "=1\r\n");
    EXPECT_EQ(Loaded(Saved()).TextValue(key), "1");

    std::filesystem::remove(dir_ / "settings.conf");
    ASSERT_TRUE(conf.WriteValue(key, "2"));
    EXPECT_EQ(Saved(), "\xEF\xBB\xBF" + key + "=2\r\n");
    EXPECT_EQ(Loaded(Saved()).TextValue(key), "2");
}

// A list of 20,000 entries, each line one address, the last without an end.
std::string LongList() {
    std::string list;
    for (int entry = 0; entry < 20000; ++entry) {
        list += "sender" + std::to_string(entry) + "@example.com\r\n";
    }
    return list + "last@example.com";
}

// Text of that many bytes holding that many controls no text holds, spread.
std::string TextWithControls(std::size_t size, std::size_t controls) {
    std::string text(size, 'a');
    for (std::size_t at = 0; at < controls; ++at) {
        text[at * (size / controls)] = at % 2 ? '\x01' : '\x1B';
    }
    return text;
}

// The files users really have: their lists and settings in any of the 8-bit
// encodings are text, however long and whatever stray bytes they picked up;
// Unicode, random bytes and real binary formats are not.
TEST_F(ConfTest, TextIsToldFromUtf16AndBinaryFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        bool text;
    };
    std::vector<Case> cases = {
        {"empty", "", true},
        {"ASCII", "alice@example.com\r\nbob@example.org\r\nlisten_port=8110\r\n", true},
        {"Latin-1 names", "J\xE9r\xF4me@caf\xE9.example\r\n\xC6gir@\xD8ster.example\r\n\x80\x8A\x9F\xFF\r\n", true},
        {"UTF-8 names", "j\xC3\xA9r\xC3\xB4me@caf\xC3\xA9.example\r\n\xE5\xB1\xB1\xE7\x94\xB0@example.jp\r\n", true},
        {"a UTF-8 byte-order mark", std::string("\xEF\xBB\xBF") + "alice@example.com\r\n", true},
        {"a list of 20,000 entries", LongList(), true},
        {"a stray NUL", std::string("a=1\0\r\n", 6), true},
        {"eight stray NULs in a short list",
         std::string("a\0@x\r\nb\0@x\r\nc\0@x\r\nd\0@x\r\ne\0@x\r\nf\0@x\r\ng\0@x\r\nh\0@x\r\n", 48), true},
        {"tabs, VT, FF, CR LF, lone CR and LF", "a\tb\r\nc\rd\ne\f\vf\r\n", true},
        {"a Ctrl-Z at the end", "alice@example.com\r\n\x1A", true},
        {"every byte a text may hold", ConfSamples::TextBytes(), true},
        {"controls in one byte of 64, and 8 more", TextWithControls(6400, 108), true},
        {"one control more", TextWithControls(6400, 109), false},
        {"UTF-16 with its mark", "\xFF\xFE" + Utf16("a@x\r\n", false), false},
        {"big-endian UTF-16 with its mark", "\xFE\xFF" + Utf16("a@x\r\n", true), false},
        {"UTF-16 without a mark", Utf16("listen_port=8110\r\n", false), false},
        {"big-endian UTF-16 without a mark", Utf16("listen_port=8110\r\n", true), false},
        {"one short entry in UTF-16", Utf16("a@x\r\n", false), false},
        {"Latin-1 names in big-endian UTF-16", Utf16("J\xE9r\xF4me@caf\xE9.example\r\n", true), false},
        {"settings followed by NULs", "listen_port=8110\r\n" + std::string(4096, '\0'), false},
        {"4 KiB of random bytes", BinaryBytes(4096), false},
    };
    for (ConfSamples::Sample& file : NotTextFiles::All()) {
        cases.push_back({file.name, std::move(file.bytes), false});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(Conf::ReadableAsText(c.bytes), c.text) << c.name;
    }
}

// Rewriting such a file line by line would garble it for good: it is left
// alone, every attempt is logged, and the user is told once.
TEST_F(ConfTest, AFileThatIsNotTextIsNeverWrittenAndTheUserIsToldOnce) {
    const std::string settings = "listen_port=8110\r\noe_spam=90\r\n";
    for (const ConfSamples::Sample& sample : ConfSamples::NotText(settings)) {
        const std::string& file = sample.bytes;
        log_.clear();
        boxes_.clear();
        Conf conf = Loaded(file);
        EXPECT_FALSE(conf.LoadedAsText()) << sample.name;
        conf.SetValue("listen_port", "9");
        EXPECT_FALSE(conf.Save());
        EXPECT_FALSE(conf.WriteValue("oe_spam_threshold", "90"));
        EXPECT_FALSE(conf.Save());
        EXPECT_TRUE(Saved() == file) << sample.name;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "settings.conf.tmp"));
        ASSERT_EQ(log_.size(), 3u);
        const std::string why = PathOf("settings.conf") + " cannot be read as text";
        EXPECT_EQ(log_[0], "Conf.Save() Error 75 : " + why + "; it was not written");
        EXPECT_EQ(log_[1], "Conf.WriteValue() Error 75 : " + why + "; it was not written");
        EXPECT_EQ(log_[2], log_[0]);
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].text.rfind(why, 0), 0u) << boxes_[0].text;
        EXPECT_NE(boxes_[0].text.find("left as it was"), std::string::npos) << boxes_[0].text;
        EXPECT_EQ(boxes_[0].title, ProgramTitle());
    }
}

// Whether the settings came from the file: a missing file holds none to
// misread, and a file put right since is read as text at the next load.
TEST_F(ConfTest, ALoadTellsWhetherTheFileWasReadAsText) {
    Conf conf = Loaded(std::string("\xFF\xFE") + Utf16("listen_port=8110\r\n", false));
    EXPECT_FALSE(conf.LoadedAsText());
    WriteFile("settings.conf", "listen_port=8110\r\n");
    conf.Load();
    EXPECT_TRUE(conf.LoadedAsText());
    std::filesystem::remove(dir_ / "settings.conf");
    conf.Load();
    EXPECT_TRUE(conf.LoadedAsText());
}

TEST_F(ConfTest, SaveRewritesValuesInPlaceAndAppendsNewKeysInKeyOrder) {
    Conf conf = Loaded(
        "# head\r\n"
        "   \r\n"
        "Foo=1\r\n"
        "junk line\r\n"
        "bar=2\r\n"
        "spaced = 3\r\n"
        "keep=4\r\n");
    conf.SetValue("foo", "10");
    conf.SetValue("BAR", "");
    conf.SetValue("spaced", "5");
    conf.SetValue("new_b", "b");
    conf.SetValue("New_a", "a");
    conf.SetValue("empty_new", "");
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(),
              "# head\r\n"
              "   \r\n"
              "Foo=10\r\n"
              "junk line\r\n"
              "spaced = 3\r\n"
              "keep=4\r\n"
              "New_a=a\r\n"
              "new_b=b\r\n"
              "spaced=5\r\n");
}

// A line keeps the end it had; only a line that gets one for the first time
// (a changed last line, or a new one) is given CR LF.
TEST_F(ConfTest, LinesEndAtCrLfCrOrLfAndKeepTheirEnds) {
    struct Case {
        const char* text;
        const char* saved;
    };
    const Case cases[] = {
        {"a=1\r\nb=2\r\n", "a=1\r\nb=3\r\n"}, {"a=1\nb=2\n", "a=1\nb=3\n"},     {"a=1\rb=2\r", "a=1\rb=3\r"},
        {"a=1\nb=2\r\n", "a=1\nb=3\r\n"},     {"a=1\r\nb=2", "a=1\r\nb=3\r\n"}, {"a=1\n\r\rb=2\r", "a=1\n\r\rb=3\r"},
    };
    for (const Case& c : cases) {
        Conf conf = Loaded(c.text);
        EXPECT_EQ(conf.GetValue("a"), Variant("1")) << c.text;
        EXPECT_EQ(conf.GetValue("b"), Variant("2")) << c.text;
        conf.SetValue("b", "3");
        ASSERT_TRUE(conf.Save());
        EXPECT_EQ(Saved(), c.saved) << c.text;
    }
}

// A last line without an end stays as it is unless something follows it.
TEST_F(ConfTest, ALineAppendedAfterALastLineWithoutAnEndStartsALineOfItsOwn) {
    Conf conf = Loaded("a=1\r\n# last");
    conf.SetValue("a", "1");
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), "a=1\r\n# last");
    ASSERT_TRUE(conf.WriteValue("oe_spam", "90"));
    EXPECT_EQ(Saved(), "a=1\r\n# last\r\noe_spam=90\r\n");
}

// Enough other keys around the repeated one that the list really sorts, and
// new keys between the lookups so that it merges again.
TEST_F(ConfTest, AKeyOnTwoLinesAnswersItsFirstLineEveryTime) {
    auto text = [](const std::string& first, const std::string& second) {
        std::string body = "Dup=" + first + "\r\n";
        for (int i = 0; i < 120; ++i) {
            body.append("k").append(std::to_string(i)).append("=v\r\n");
            if (i == 59) {
                body.append("dup=").append(second).append("\r\n");
            }
        }
        return body;
    };
    Conf conf = Loaded(text("first", "second"));
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(conf.GetValue("DUP"), Variant("first"));
        conf.SetValue("new" + std::to_string(round), "n");
    }
    conf.SetValue("dup", "changed");
    EXPECT_EQ(conf.GetValue("Dup"), Variant("changed"));

    ASSERT_TRUE(conf.Save());
    const std::string expected = text("changed", "changed") + "new0=n\r\nnew1=n\r\nnew2=n\r\n";
    EXPECT_EQ(Saved(), expected);
    // A second save adds no third line.
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), expected);
}

TEST_F(ConfTest, TextValueAnswersWhatGetValueDoes) {
    Conf conf = Loaded("Key=first\r\nempty=\r\nKEY=second\r\nspaced = v \r\n");
    conf.SetValue("added", "in memory");
    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"key", "first"}, {"Empty", ""}, {"spaced ", " v "}, {"spaced", ""}, {"ADDED", "in memory"}, {"absent", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(conf.TextValue(c.key), c.text);
        EXPECT_EQ(conf.GetValue(c.key).ToText(), c.text);
    }
}

TEST_F(ConfTest, SaveOfAMissingFileWritesEveryKeyInKeyOrder) {
    Conf conf;
    conf.ConfigFile(PathOf("settings.conf"));
    conf.Load();
    EXPECT_FALSE(conf.KeyExists("b"));
    conf.SetValue("b", "2");
    conf.SetValue("A", "1");
    conf.SetValue("c", "");
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), "A=1\r\nb=2\r\nc=\r\n");
}

// The map still holds both lines of a repeated key; a file written afresh
// gets the key once, with the value a lookup gives.
TEST_F(ConfTest, ARepeatedKeyIsWrittenOnceWhenTheFileIsGone) {
    Conf conf = Loaded("b=1\r\nB=2\r\na=3\r\n");
    std::filesystem::remove(dir_ / "settings.conf");
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), "a=3\r\nb=1\r\n");
}

TEST_F(ConfTest, LoadAddsToWhatTheMapHolds) {
    WriteFile("settings.conf", "a=1\r\n");
    Conf conf;
    conf.ConfigFile(PathOf("settings.conf"));
    conf.SetValue("b", "2");
    conf.Load();
    EXPECT_EQ(conf.GetValue("a"), Variant("1"));
    EXPECT_EQ(conf.GetValue("b"), Variant("2"));
}

TEST_F(ConfTest, SaveWithAnEmptyMapLeavesTheFileAlone) {
    WriteFile("settings.conf", "junk\n#x\n");
    Conf conf;
    conf.ConfigFile(PathOf("settings.conf"));
    EXPECT_TRUE(conf.Save());
    EXPECT_EQ(Saved(), "junk\n#x\n");
}

TEST_F(ConfTest, WriteValueChangesEveryLineSpeltExactlyAndLeavesMemoryAlone) {
    Conf conf = Loaded(
        "# c\r\n"
        "Key=1\r\n"
        "key=2\r\n"
        "key=3\r\n"
        " \r\n"
        "junk\r\n");
    ASSERT_TRUE(conf.WriteValue("key", "9"));
    EXPECT_EQ(Saved(), "# c\r\nKey=1\r\nkey=9\r\nkey=9\r\n \r\njunk\r\n");
    EXPECT_EQ(conf.GetValue("key"), Variant("1"));

    ASSERT_TRUE(conf.WriteValue("KEY", ""));
    EXPECT_EQ(Saved(), "# c\r\nKey=1\r\nkey=9\r\nkey=9\r\n \r\njunk\r\nKEY=\r\n");
}

TEST_F(ConfTest, WriteValueCreatesAMissingFileWithTheOneLine) {
    Conf conf;
    conf.ConfigFile(PathOf("settings.conf"));
    conf.SetValue("other", "x");
    ASSERT_TRUE(conf.WriteValue("oe_spam", "90"));
    EXPECT_EQ(Saved(), "oe_spam=90\r\n");
}

// A temporary file that cannot be written stops the save before the file is
// touched: the caller hears of it and the log has the line, but no box.
TEST_F(ConfTest, AFailedWriteKeepsTheFileAndIsReported) {
    const std::string text = "a=1\r\n";
    Conf conf = Loaded(text);
    std::filesystem::create_directory(dir_ / "settings.conf.tmp");
    conf.SetValue("a", "2");

    EXPECT_FALSE(conf.Save());
    EXPECT_FALSE(conf.WriteValue("a", "3"));

    EXPECT_EQ(Saved(), text);
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].rfind("Conf.Save() Error 75 : ", 0), 0u) << log_[0];
    EXPECT_EQ(log_[1].rfind("Conf.WriteValue() Error 75 : ", 0), 0u) << log_[1];
    EXPECT_TRUE(boxes_.empty());
}

// The replace step failing also shows "<number> : <text>" to the user.
TEST_F(ConfTest, AFailedReplaceIsShownAndLogged) {
    std::filesystem::create_directory(dir_ / "taken");
    Conf conf;
    conf.ConfigFile(PathOf("taken"));
    conf.SetValue("a", "1");

    EXPECT_FALSE(conf.Save());

    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.rfind("75 : ", 0), 0u) << boxes_[0].text;
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(boxes_[0].title, ProgramTitle());
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_EQ(log_[0], "Conf.Save() Error " + boxes_[0].text);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken"));
}

TEST_F(ConfTest, SavingWithoutAPathWritesNothing) {
    Conf conf;
    conf.SetValue("a", "1");
    const auto before = std::filesystem::exists(".tmp");
    EXPECT_FALSE(conf.Save());
    EXPECT_FALSE(conf.WriteValue("a", "2"));
    EXPECT_EQ(std::filesystem::exists(".tmp"), before);
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0], "Conf.Save() Error 75 : No configuration file is set");
}

}  // namespace
