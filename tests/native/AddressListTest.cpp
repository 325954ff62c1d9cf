#include "AddressList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfSamples.h"
#include "ListTestFixture.h"
#include "Resources.h"

namespace {

using Entries = std::vector<std::string>;

class AddressListTest : public ListFileTest {
protected:
    // The list over the file "list", which holds the text given.
    AddressList& Over(const std::string& text) {
        Write("list", text);
        list_.FileLocation(PathOf("list"));
        list_.Load();
        return list_;
    }

    AddressList list_;
};

TEST_F(AddressListTest, AddSavesTheNewEntryAsGivenAtOnce) {
    AddressList& list = Over("carol@x\r\n");
    list.Add("Bob@X.org");
    EXPECT_EQ(Read("list"), "Bob@X.org\r\ncarol@x\r\n");
    EXPECT_TRUE(list.Exists("bob@x.org"));
    EXPECT_TRUE(boxes_.empty());

    list.Load();
    EXPECT_EQ(list.Items(), (Entries{"bob@x.org", "carol@x"}));
}

TEST_F(AddressListTest, AddOfAPresentEntryIsRefusedWithAMessage) {
    AddressList& list = Over("Bob@X.org\n");
    list.Add("BOB@x.ORG");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Entry is already on the list");
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(boxes_[0].title, LoadResText(101));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(Read("list"), "Bob@X.org\n");
}

TEST_F(AddressListTest, RemoveTakesEveryCopyOfTheEntry) {
    AddressList& list = Over("spam@x\r\nkeep@x\r\nSPAM@x\r\n");
    list.Import(PathOf("list"));
    ASSERT_EQ(list.Count(), 6);
    list.Remove("Spam@X");
    EXPECT_FALSE(list.Exists("spam@x"));
    EXPECT_EQ(list.Items(), (Entries{"keep@x", "keep@x"}));
    EXPECT_EQ(Read("list"), "keep@x\r\nkeep@x\r\n");
}

TEST_F(AddressListTest, RemoveOfAnAbsentEntryLeavesTheFileAlone) {
    AddressList& list = Over("B@x\na@x\n");
    list.Remove("c@x");
    EXPECT_EQ(Read("list"), "B@x\na@x\n");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AddressListTest, ImportAddsEveryLineRepeatsIncludedAndSaves) {
    AddressList& list = Over("a@x\r\n");
    Write("other", "  C@X \n\nA@x\rb@x\r\nb@x");
    list.Import(PathOf("other"));
    EXPECT_EQ(list.Items(), (Entries{"a@x", "a@x", "b@x", "b@x", "c@x"}));
    EXPECT_EQ(Read("list"), "a@x\r\na@x\r\nb@x\r\nb@x\r\nc@x\r\n");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AddressListTest, ImportOfAMissingFileStillRewritesTheOwnFile) {
    AddressList& list = Over("B@x\n\na@x");
    list.Import(PathOf("missing"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\n");
}

TEST_F(AddressListTest, ImportOfAFileThatIsNotTextIsRefusedAndChangesNothing) {
    AddressList& list = Over("a@x\r\n");
    const std::string unicode = "\xFF\xFE" + ConfSamples::Utf16("b@x\r\n", false);
    Write("other", unicode);
    const ObjectError error = RaisedBy([&] { list.Import(PathOf("other")); });
    EXPECT_EQ(error.Number(), 75);
    EXPECT_NE(error.Description().find("cannot be read as text"), std::string::npos);
    EXPECT_EQ(list.Items(), Entries{"a@x"});
    EXPECT_EQ(Read("list"), "a@x\r\n");
    EXPECT_EQ(Read("other"), unicode);
}

TEST_F(AddressListTest, SaveExportsWithoutMovingTheList) {
    AddressList& list = Over("b@x\r\n");
    list.Save(PathOf("export"));
    EXPECT_EQ(Read("export"), "b@x\r\n");

    list.Add("a@x");
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\n");
    EXPECT_EQ(Read("export"), "b@x\r\n");

    Write("list", "stale\r\n");
    list.Save(" ");
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\n");
}

TEST_F(AddressListTest, ClearChangesOnlyMemory) {
    AddressList& list = Over("a@x\r\n");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Items().empty());
    EXPECT_EQ(Read("list"), "a@x\r\n");
}

TEST_F(AddressListTest, AMissingFileGivesAnEmptyListThatAddCreates) {
    list_.FileLocation(PathOf("new"));
    list_.Load();
    EXPECT_EQ(list_.Count(), 0);
    list_.Add("a@x");
    EXPECT_EQ(Read("new"), "a@x\r\n");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AddressListTest, ChangesAfterAFailedLoadAreRefusedNotWrittenOverTheFile) {
    MakeUnreadable("list");
    list_.FileLocation(PathOf("list"));
    list_.Load();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].title, "LoadList Error");

    Write("other", "i@x\r\n");
    // Each change first reads the file again, which still fails.
    EXPECT_EQ(RaisedBy([&] { list_.Add("a@x"); }).Number(), 75);
    EXPECT_EQ(RaisedBy([&] { list_.Remove("a@x"); }).Number(), 75);
    EXPECT_EQ(RaisedBy([&] { list_.Import(PathOf("other")); }).Number(), 75);
    EXPECT_EQ(RaisedBy([&] { list_.Save(); }).Number(), FileList::kListNotLoaded);
    EXPECT_FALSE(Present("list.tmp"));
    EXPECT_EQ(TemporaryFiles(), Entries{});

    ReleaseUnreadable();
    Write("list", "kept@x\r\n");
    list_.Load();
    list_.Add("a@x");
    EXPECT_EQ(Read("list"), "a@x\r\nkept@x\r\n");
}

}  // namespace
