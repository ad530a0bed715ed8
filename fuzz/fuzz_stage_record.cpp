// Scans arbitrary stage values and checks that a formatted record scans back to itself.
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/HistoryData.h"
#include "settings/HistoryProfile.h"

namespace {

bool SameNumbers(const StageRecord& a, const StageRecord& b) {
    return a.nEntryYear == b.nEntryYear && a.nLeaveYear == b.nLeaveYear &&
           a.nCourseMonths == b.nCourseMonths && a.nRoninYears == b.nRoninYears &&
           a.nRyunenYears == b.nRyunenYears && a.nNextStage == b.nNextStage &&
           a.nTransferGrade == b.nTransferGrade && a.nEndGrade == b.nEndGrade &&
           a.nEntryMonth == b.nEntryMonth && a.nLeaveMonth == b.nLeaveMonth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    StageRecord stage;
    ParseStageRecord(text, stage);

    std::string formatted;
    FormatStageRecord(stage, formatted);
    StageRecord reread;
    reread.nEntryMonth = -7;
    ParseStageRecord(formatted, reread);
    if (!SameNumbers(stage, reread)) std::abort();
    return 0;
}
