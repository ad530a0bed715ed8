#include "input/DialogInputs.h"

#include <array>

#include "engine/HistoryData.h"

namespace {

using TextMember = std::string DialogInputs::*;

constexpr std::array<TextMember, STAGE_COUNT> kRoninTexts = {
    &DialogInputs::m_strRoninElementary, &DialogInputs::m_strRoninJuniorHigh,
    &DialogInputs::m_strRoninHighSchool, &DialogInputs::m_strRoninJuniorCollege,
    &DialogInputs::m_strRoninVocational, &DialogInputs::m_strRoninUniversity,
    &DialogInputs::m_strRoninMaster,     &DialogInputs::m_strRoninDoctor,
};
constexpr std::array<TextMember, STAGE_COUNT> kRyunenTexts = {
    &DialogInputs::m_strRyunenElementary, &DialogInputs::m_strRyunenJuniorHigh,
    &DialogInputs::m_strRyunenHighSchool, &DialogInputs::m_strRyunenJuniorCollege,
    &DialogInputs::m_strRyunenVocational, &DialogInputs::m_strRyunenUniversity,
    &DialogInputs::m_strRyunenMaster,     &DialogInputs::m_strRyunenDoctor,
};

}  // namespace

DialogInputs::DialogInputs() = default;

void DialogInputs::ResetInputs() {
    m_nEra = 0;
    m_strBirthYear = "1980";
    m_strBirthMonth = "1";
    m_strBirthDay = "1";
    m_nFinalSchool = 5;
    m_nOutcome = 1;
    m_nHighSchoolLength = 0;
    m_nVocationalLength = 1;
    m_nUniversityLength = 0;
    m_nProgression = 0;
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        RoninText(stage) = "0";
        RyunenText(stage) = "0";
    }
    m_bElementaryTransfer = 0;
    m_bJuniorHighTransfer = 0;
    m_bSkipHighSchoolLastYear = 0;
    m_bUniversityAutumnEntry = 0;
    m_bUniversityHalfYear = 0;
    m_bSkipUniversityLastYear = 0;
    m_bGraduateAutumnEntry = 0;
    m_bDirectDoctor = 0;
    m_bShortenMaster = 0;
    m_bShortenDoctor = 0;
    m_bShowAge = 0;
}

std::string& DialogInputs::RoninText(int stage) {
    return this->*kRoninTexts.at(static_cast<std::size_t>(stage - 1));
}
const std::string& DialogInputs::RoninText(int stage) const {
    return this->*kRoninTexts.at(static_cast<std::size_t>(stage - 1));
}
std::string& DialogInputs::RyunenText(int stage) {
    return this->*kRyunenTexts.at(static_cast<std::size_t>(stage - 1));
}
const std::string& DialogInputs::RyunenText(int stage) const {
    return this->*kRyunenTexts.at(static_cast<std::size_t>(stage - 1));
}
