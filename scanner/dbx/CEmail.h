#pragma once
#include <cstdint>
#include <string>

// One message of a message store, as the store reader fills it. Every
// property gives back what was last set on it; a new record has "" in every
// text and 0 in every number.
class CEmail {
public:
    // The DataOffset the reader gives a record with no text field.
    static constexpr std::int32_t kNoText = -1;

    std::int32_t Id() const { return Id_; }
    void Id(std::int32_t value) { Id_ = value; }
    const std::string& MailDate() const { return MailDate_; }
    void MailDate(const std::string& value) { MailDate_ = value; }
    std::int32_t DataOffset() const { return DataOffset_; }
    void DataOffset(std::int32_t value) { DataOffset_ = value; }
    std::int32_t ItemType() const { return ItemType_; }
    void ItemType(std::int32_t value) { ItemType_ = value; }
    const std::string& Subject() const { return Subject_; }
    void Subject(const std::string& value) { Subject_ = value; }
    std::int32_t Flag() const { return Flag_; }
    void Flag(std::int32_t value) { Flag_ = value; }
    const std::string& MessageID() const { return MessageID_; }
    void MessageID(const std::string& value) { MessageID_ = value; }
    const std::string& OrigSubject() const { return OrigSubject_; }
    void OrigSubject(const std::string& value) { OrigSubject_ = value; }
    const std::string& ParentMessageID() const { return ParentMessageID_; }
    void ParentMessageID(const std::string& value) { ParentMessageID_ = value; }
    const std::string& FetchServer() const { return FetchServer_; }
    void FetchServer(const std::string& value) { FetchServer_ = value; }
    const std::string& SenderName() const { return SenderName_; }
    void SenderName(const std::string& value) { SenderName_ = value; }
    // One or more addresses separated by ";".
    const std::string& SenderEMail() const { return SenderEMail_; }
    void SenderEMail(const std::string& value) { SenderEMail_ = value; }
    const std::string& RecipientName() const { return RecipientName_; }
    void RecipientName(const std::string& value) { RecipientName_ = value; }
    // One or more addresses separated by ";".
    const std::string& RecipientEMail() const { return RecipientEMail_; }
    void RecipientEMail(const std::string& value) { RecipientEMail_ = value; }
    const std::string& accountname() const { return accountname_; }
    void accountname(const std::string& value) { accountname_ = value; }
    const std::string& AccountNumber() const { return AccountNumber_; }
    void AccountNumber(const std::string& value) { AccountNumber_ = value; }
    // The message text; filled only when the store is opened with bodies.
    const std::string& Body() const { return Body_; }
    void Body(const std::string& value) { Body_ = value; }

private:
    std::int32_t Id_ = 0;
    std::string MailDate_;
    std::int32_t DataOffset_ = 0;
    std::int32_t ItemType_ = 0;
    std::string Subject_;
    std::int32_t Flag_ = 0;
    std::string MessageID_;
    std::string OrigSubject_;
    std::string ParentMessageID_;
    std::string FetchServer_;
    std::string SenderName_;
    std::string SenderEMail_;
    std::string RecipientName_;
    std::string RecipientEMail_;
    std::string accountname_;
    std::string AccountNumber_;
    std::string Body_;
};
