// Arbitrary bytes as a mail store: opening it with its message texts,
// reading every record's fields and every message text again must neither
// crash, hang nor trip a sanitizer. No text may be longer than the file, a
// date is always written whole, and no folder may name a store file outside
// the store's own folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CDbx.h"
#include "ScanState.h"

namespace {

void RemoveStore();

// One scratch file per process, in memory where there is such a file
// system. Never destroyed, so that it outlives the clean-up at exit.
const std::string& StorePath() {
    static const std::string& path = *new std::string([] {
        const std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        atexit(RemoveStore);
        return base + "/dbx_fuzz_" + std::to_string(getpid()) + ".dbx";
    }());
    return path;
}

void RemoveStore() {
    std::error_code ignored;
    std::filesystem::remove(StorePath(), ignored);
}

void Check(bool holds) {
    if (!holds) {
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(StorePath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ScanState::gDebugLevel = 8;  // the detail lines run too

    CDbx dbx;
    dbx.openFile(StorePath(), true);
    for (const auto& email : dbx.EMails()) {
        const std::string fields[] = {email->MailDate(),       email->Subject(),        email->MessageID(),
                                      email->OrigSubject(),    email->ParentMessageID(), email->FetchServer(),
                                      email->SenderName(),     email->SenderEMail(),    email->RecipientName(),
                                      email->RecipientEMail(), email->accountname(),    email->AccountNumber()};
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
