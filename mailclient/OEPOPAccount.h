#pragma once
#include <memory>
#include <string>
#include <vector>

// One POP3 account of the Internet Account Manager, as text: registry
// numbers hold their decimal digits, absent values are empty.
class OEPOPAccount {
public:
    void accountname(const std::string& text) { accountName_ = text; }
    void POPServer(const std::string& text) { popServer_ = text; }
    void POP3Port(const std::string& text) { pop3Port_ = text; }
    void Username(const std::string& text) { userName_ = text; }
    void SMTPEmailAddress(const std::string& text) { smtpEmailAddress_ = text; }
    void SMTPServer(const std::string& text) { smtpServer_ = text; }
    void SetKey(const std::string& text) { key_ = text; }
    void POP3SecureConnection(const std::string& text) { pop3SecureConnection_ = text; }
    void POP3UseSicily(const std::string& text) { pop3UseSicily_ = text; }
    void SMTPUseSicily(const std::string& text) { smtpUseSicily_ = text; }

    // The account's subkey name under its Accounts key.
    const std::string& key() const { return key_; }
    const std::string& Account_Name() const { return accountName_; }
    const std::string& POP_Server() const { return popServer_; }
    const std::string& User_name() const { return userName_; }
    const std::string& SMTP_Email_Address() const { return smtpEmailAddress_; }
    const std::string& SMTP_Server() const { return smtpServer_; }
    const std::string& POP3_Port() const { return pop3Port_; }
    const std::string& POP3_Secure_Connection() const { return pop3SecureConnection_; }
    const std::string& POP3_Use_Sicily() const { return pop3UseSicily_; }
    const std::string& SMTP_Use_Sicily() const { return smtpUseSicily_; }

private:
    std::string accountName_;
    std::string popServer_;
    std::string pop3Port_;
    std::string userName_;
    std::string smtpEmailAddress_;
    std::string smtpServer_;
    std::string key_;
    std::string pop3SecureConnection_;
    std::string pop3UseSicily_;
    std::string smtpUseSicily_;
};

// Loaded accounts in load order; each account's key() is unique in it.
using POPAccountCollection = std::vector<std::shared_ptr<OEPOPAccount>>;
