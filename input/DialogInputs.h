#pragma once

#include <string>

// Everything the main window lets the user enter, as the window holds it: the seven selection
// indices (-1 = no selection), the birth-date and sixteen count texts as typed, and the eleven
// check values (a check counts as set only when it equals 1).
struct DialogInputs {
    DialogInputs();

    // The defaults that the window shows at start and after Reset.
    void ResetInputs();

    // Count texts by stage number 1..8.
    std::string& RoninText(int stage);
    const std::string& RoninText(int stage) const;
    std::string& RyunenText(int stage);
    const std::string& RyunenText(int stage) const;

    int m_nEra = -1;
    std::string m_strBirthYear = "1997";
    std::string m_strBirthMonth = "4";
    std::string m_strBirthDay = "2";

    int m_nFinalSchool = -1;
    int m_nOutcome = -1;
    int m_nHighSchoolLength = -1;
    int m_nVocationalLength = -1;
    int m_nUniversityLength = -1;
    int m_nProgression = -1;

    std::string m_strRoninElementary = "0";
    std::string m_strRyunenElementary = "0";
    std::string m_strRoninJuniorHigh = "0";
    std::string m_strRyunenJuniorHigh = "0";
    std::string m_strRoninHighSchool = "0";
    std::string m_strRyunenHighSchool = "0";
    std::string m_strRoninJuniorCollege = "0";
    std::string m_strRyunenJuniorCollege = "0";
    std::string m_strRoninVocational = "0";
    std::string m_strRyunenVocational = "0";
    std::string m_strRoninUniversity = "0";
    std::string m_strRyunenUniversity = "0";
    std::string m_strRoninMaster = "0";
    std::string m_strRyunenMaster = "0";
    std::string m_strRoninDoctor = "0";
    std::string m_strRyunenDoctor = "0";

    int m_bElementaryTransfer = 0;
    int m_bJuniorHighTransfer = 0;
    int m_bSkipHighSchoolLastYear = 0;
    int m_bUniversityAutumnEntry = 0;
    int m_bUniversityHalfYear = 0;
    int m_bSkipUniversityLastYear = 0;
    int m_bGraduateAutumnEntry = 0;
    int m_bDirectDoctor = 0;
    int m_bShortenMaster = 0;
    int m_bShortenDoctor = 0;
    int m_bShowAge = 0;
};

// Length limits of the birth-date edits.
inline constexpr int kBirthYearMaxLength = 4;
inline constexpr int kBirthMonthMaxLength = 2;
inline constexpr int kBirthDayMaxLength = 2;
