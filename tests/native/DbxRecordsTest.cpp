#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CEmail.h"
#include "CEmails.h"
#include "CFolder.h"
#include "CFolders.h"
#include "ObjectError.h"

namespace {

constexpr std::int32_t kKeyOrIndexInvalid = static_cast<std::int32_t>(0x80040200u);

template <class Call>
ObjectError RaisedBy(Call&& call) {
    try {
        call();
    } catch (const ObjectError& error) {
        return error;
    }
    ADD_FAILURE() << "no ObjectError was raised";
    return ObjectError(0, "", "");
}

struct TextProperty {
    const char* name;
    const std::string& (CEmail::*get)() const;
    void (CEmail::*set)(const std::string&);
};

const TextProperty kEmailTexts[] = {
    {"MailDate", &CEmail::MailDate, &CEmail::MailDate},
    {"Subject", &CEmail::Subject, &CEmail::Subject},
    {"MessageID", &CEmail::MessageID, &CEmail::MessageID},
    {"OrigSubject", &CEmail::OrigSubject, &CEmail::OrigSubject},
    {"ParentMessageID", &CEmail::ParentMessageID, &CEmail::ParentMessageID},
    {"FetchServer", &CEmail::FetchServer, &CEmail::FetchServer},
    {"SenderName", &CEmail::SenderName, &CEmail::SenderName},
    {"SenderEMail", &CEmail::SenderEMail, &CEmail::SenderEMail},
    {"RecipientName", &CEmail::RecipientName, &CEmail::RecipientName},
    {"RecipientEMail", &CEmail::RecipientEMail, &CEmail::RecipientEMail},
    {"accountname", &CEmail::accountname, &CEmail::accountname},
    {"AccountNumber", &CEmail::AccountNumber, &CEmail::AccountNumber},
    {"Body", &CEmail::Body, &CEmail::Body},
};

TEST(CEmailTest, NewRecordIsEmptyAndAMessage) {
    const CEmail email;
    for (const TextProperty& property : kEmailTexts) {
        EXPECT_EQ((email.*property.get)(), "") << property.name;
    }
    EXPECT_EQ(email.Id(), 0);
    EXPECT_EQ(email.DataOffset(), 0);
    EXPECT_EQ(email.Flag(), 0);
    EXPECT_EQ(email.ItemType(), 0);
}

TEST(CEmailTest, EveryPropertyKeepsItsOwnValue) {
    CEmail email;
    for (const TextProperty& property : kEmailTexts) {
        (email.*property.set)(std::string("value of ") + property.name);
    }
    email.Id(11);
    email.DataOffset(22);
    email.Flag(33);
    email.ItemType(44);
    for (const TextProperty& property : kEmailTexts) {
        EXPECT_EQ((email.*property.get)(), std::string("value of ") + property.name) << property.name;
    }
    EXPECT_EQ(email.Id(), 11);
    EXPECT_EQ(email.DataOffset(), 22);
    EXPECT_EQ(email.Flag(), 33);
    EXPECT_EQ(email.ItemType(), 44);
}

TEST(CFolderTest, NewRecordIsAFolderAndEveryPropertyKeepsItsOwnValue) {
    CFolder folder;
    EXPECT_EQ(folder.ItemType(), 2);
    EXPECT_EQ(folder.Number(), 0);
    EXPECT_EQ(folder.Id(), 0);
    EXPECT_EQ(folder.ParentId(), 0);
    EXPECT_EQ(folder.name(), "");
    EXPECT_EQ(folder.FileName(), "");

    folder.Number(1);
    folder.ItemType(5);
    folder.name("Inbox");
    folder.FileName("Inbox.dbx");
    folder.Id(3);
    folder.ParentId(4);
    EXPECT_EQ(folder.Number(), 1);
    EXPECT_EQ(folder.ItemType(), 5);
    EXPECT_EQ(folder.name(), "Inbox");
    EXPECT_EQ(folder.FileName(), "Inbox.dbx");
    EXPECT_EQ(folder.Id(), 3);
    EXPECT_EQ(folder.ParentId(), 4);
}

std::shared_ptr<CEmail> EmailWithId(std::int32_t id) {
    auto email = std::make_shared<CEmail>();
    email->Id(id);
    return email;
}

std::vector<std::int32_t> IdsOf(const CEmails& emails) {
    std::vector<std::int32_t> ids;
    for (const auto& email : emails.NewEnum()) {
        ids.push_back(email->Id());
    }
    return ids;
}

TEST(CEmailsTest, KeysIgnoreLetterCase) {
    CEmails emails;
    const auto email = EmailWithId(7);
    emails.Add(email, "M_7");
    EXPECT_EQ(emails.item("m_7"), email);
    EXPECT_EQ(emails.item("M_7"), email);
    emails.Add(EmailWithId(8), "\xC4_8");  // A umlaut; its small form is 0xE4
    EXPECT_EQ(emails.item("\xE4_8")->Id(), 8);
}

TEST(CEmailsTest, AddPlacesBeforeAfterOrAtTheEnd) {
    struct Case {
        const char* name;
        Variant before;
        Variant after;
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {
        {"at the end", Variant(), Variant(), {1, 2, 3, 9}},
        {"before a position", Variant(std::int32_t{1}), Variant(), {9, 1, 2, 3}},
        {"before a key", Variant("m_3"), Variant(), {1, 2, 9, 3}},
        {"after a position", Variant(), Variant(std::int32_t{1}), {1, 9, 2, 3}},
        {"after the last key", Variant(), Variant("M_3"), {1, 2, 3, 9}},
        {"Before wins over After", Variant(std::int32_t{2}), Variant(std::int32_t{3}), {1, 9, 2, 3}},
    };
    for (const Case& c : cases) {
        CEmails emails;
        for (std::int32_t id = 1; id <= 3; ++id) {
            emails.Add(EmailWithId(id), "M_" + std::to_string(id));
        }
        emails.Add(EmailWithId(9), "M_9", c.before, c.after);
        EXPECT_EQ(IdsOf(emails), c.expected) << c.name;
        EXPECT_EQ(emails.item("M_9")->Id(), 9) << c.name;
    }
}

TEST(CEmailsTest, AddWithoutKeyIsReachedByPositionOnly) {
    CEmails emails;
    emails.Add(EmailWithId(1), "");
    emails.Add(EmailWithId(2), "");
    EXPECT_EQ(emails.Count(), 2);
    EXPECT_EQ(emails.item(2)->Id(), 2);
    EXPECT_EQ(RaisedBy([&] { emails.item(""); }).Number(), kKeyOrIndexInvalid);
}

TEST(CEmailsTest, FailedAddPassesTheCollectionErrorOnAndChangesNothing) {
    struct Case {
        const char* name;
        std::string key;
        Variant before;
        Variant after;
        std::int32_t number;
    };
    const Case cases[] = {
        {"key present", "m_1", Variant(), Variant(), 457},
        {"Before names no member", "M_9", Variant("M_5"), Variant(), 5},
        {"After past the end", "M_9", Variant(), Variant(std::int32_t{3}), 5},
        {"Before at position 0", "M_9", Variant(std::int32_t{0}), Variant(), 5},
    };
    for (const Case& c : cases) {
        CEmails emails;
        emails.Add(EmailWithId(1), "M_1");
        emails.Add(EmailWithId(2), "M_2");
        const ObjectError error = RaisedBy([&] { emails.Add(EmailWithId(9), c.key, c.before, c.after); });
        EXPECT_EQ(error.Number(), c.number) << c.name;
        EXPECT_EQ(error.Source(), "Collection") << c.name;
        EXPECT_EQ(IdsOf(emails), (std::vector<std::int32_t>{1, 2})) << c.name;
        EXPECT_EQ(emails.item("M_1")->Id(), 1) << c.name;
        EXPECT_EQ(RaisedBy([&] { emails.item("M_9"); }).Number(), kKeyOrIndexInvalid) << c.name;
    }
}

TEST(CEmailsTest, RemoveByPositionOrKeyFreesTheKey) {
    CEmails emails;
    for (std::int32_t id = 1; id <= 4; ++id) {
        emails.Add(EmailWithId(id), "M_" + std::to_string(id));
    }
    emails.Remove(std::int32_t{1});
    emails.Remove("m_3");
    EXPECT_EQ(IdsOf(emails), (std::vector<std::int32_t>{2, 4}));
    EXPECT_EQ(RaisedBy([&] { emails.item("M_3"); }).Number(), kKeyOrIndexInvalid);
    emails.Add(EmailWithId(33), "M_3");
    EXPECT_EQ(emails.item("M_3")->Id(), 33);
    EXPECT_EQ(emails.item(2)->Id(), 4);
}

template <class Collection, class Record>
void ExpectKeyOrIndexErrors(const std::string& source) {
    Collection collection;
    collection.Add(std::make_shared<Record>(), "K_1");
    const Variant invalid[] = {
        Variant("K_2"), Variant(std::int32_t{0}), Variant(std::int32_t{2}), Variant(std::int32_t{-1}), Variant(),
        Variant(2.0)};
    for (const Variant& index : invalid) {
        for (const ObjectError& error :
             {RaisedBy([&] { collection.item(index); }), RaisedBy([&] { collection.Remove(index); })}) {
            EXPECT_EQ(error.Number(), kKeyOrIndexInvalid) << index.ToText();
            EXPECT_EQ(error.Source(), source) << index.ToText();
            EXPECT_EQ(error.Description(), "Collection key or index is invalid") << index.ToText();
        }
    }
    EXPECT_EQ(collection.Count(), 1);
}

TEST(CEmailsTest, ItemAndRemoveOfAMissingMemberRaiseTheCollectionError) {
    ExpectKeyOrIndexErrors<CEmails, CEmail>("CEmails::Remove()");
}

TEST(CFoldersTest, ItemAndRemoveOfAMissingMemberRaiseTheCollectionError) {
    ExpectKeyOrIndexErrors<CFolders, CFolder>("CFolders::Remove()");
}

TEST(CFoldersTest, HoldsFoldersByKeyInOrder) {
    CFolders folders;
    for (const char* name : {"Inbox", "Outbox"}) {
        auto folder = std::make_shared<CFolder>();
        folder->name(name);
        folders.Add(folder, std::string("F_") + name);
    }
    EXPECT_EQ(folders.item("f_outbox")->name(), "Outbox");
    EXPECT_EQ(folders.item(1)->name(), "Inbox");
    std::vector<std::string> names;
    for (const auto& folder : folders) {
        names.push_back(folder->name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Inbox", "Outbox"}));
}

TEST(CEmailsTest, ClearEmptiesTheCollectionButRecordsHeldElsewhereLive) {
    CEmails emails;
    const auto kept = EmailWithId(5);
    emails.Add(kept, "M_5");
    std::weak_ptr<CEmail> dropped;
    {
        auto other = EmailWithId(6);
        dropped = other;
        emails.Add(other, "M_6");
    }
    emails.Clear();
    EXPECT_EQ(emails.Count(), 0);
    EXPECT_TRUE(dropped.expired());
    EXPECT_EQ(kept->Id(), 5);
    emails.Add(EmailWithId(7), "M_5");
    EXPECT_EQ(emails.item("M_5")->Id(), 7);
}

}  // namespace
