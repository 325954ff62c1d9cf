#include "LogTrap.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

namespace {

TotalWriter& CurrentWriter() {
    static TotalWriter writer;
    return writer;
}

std::optional<std::int32_t> EngineTotal(const std::string& option) {
    std::optional<std::int32_t> total;
    LogTrap::Trap(LogTrap::ProcedurePrefix("SaveTrainingTotals"), " : ", [&] {
        std::string buffer(20, '\0');
        std::int32_t size = 20;
        Engine().KX_getOption(gEngine, option, buffer, size);
        total = LeadingNumber(buffer);
    });
    return total;
}

void WriteTotal(const std::string& name, const std::optional<std::int32_t>& total) {
    if (total && CurrentWriter()) {
        LogTrap::Trap(LogTrap::ProcedurePrefix("SaveTrainingTotals"), " : ", [&] { CurrentWriter()(name, *total); });
    }
}

}  // namespace

void SetTotalWriter(TotalWriter writer) {
    CurrentWriter() = std::move(writer);
}

void SaveTrainingTotals() {
    const auto spam = EngineTotal("wordtraining_totalspam");
    const auto ham = EngineTotal("wordtraining_totalham");
    WriteTotal("ham_training", ham);
    WriteTotal("spam_training", spam);
}

}  // namespace modPelwardenMain
