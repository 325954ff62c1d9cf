// Arbitrary bytes as a mail store: opening it with its message texts,
// reading every record's fields and every message text again must neither
// crash, hang nor trip a sanitizer. No text may be longer than the file, a
// date is always written whole, and no folder may name a store file outside
// the store's own folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CDbx.h"
#include "ScanState.h"

namespace {

void Check(bool holds) {
    if (!holds) {
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScanState::gDebugLevel = 8;  // the detail lines run too

    // Read in place, as a mapped store file is.
    CDbx dbx;
    dbx.openBytes(std::string_view(reinterpret_cast<const char*>(data), size), true);
    for (const auto& email : dbx.EMails()) {
        const std::string fields[] = {email->MailDate(),       email->Subject(),         email->MessageID(),
                                      email->OrigSubject(),    email->ParentMessageID(), email->FetchServer(),
                                      email->SenderName(),     email->SenderEMail(),     email->RecipientName(),
                                      email->RecipientEMail(), email->accountname(),     email->AccountNumber()};
        for (const std::string& field : fields) {
            Check(field.size() <= size);
        }
        Check(email->MailDate().empty() || email->MailDate().size() == 19);
        Check(email->Body().size() <= size);
        Check(dbx.getBody(email->DataOffset()).size() <= size);
    }
    for (const auto& folder : dbx.Folders()) {
        Check(folder->name().size() <= size);
        Check(folder->FileName().find_first_of("\\/:") == std::string::npos);
        Check(folder->FileName().find("..") == std::string::npos);
    }
    return 0;
}
