#pragma once

#include <string>

// Everything the main window lets the user enter, as the window holds it: the seven selection
// indices (-1 = no selection), the birth-date and sixteen count texts as typed, and the eleven
// check values (a check counts as set only when it equals 1). Each member is described once, in
// the input schema (input/InputSchema.h). A new object holds the defaults.
struct DialogInputs {
    DialogInputs();

    // The defaults that the window shows at start and after Reset.
    void ResetInputs();

    // Count texts by stage number 1..8.
    std::string& RoninText(int stage);
    const std::string& RoninText(int stage) const;
    std::string& RyunenText(int stage);
    const std::string& RyunenText(int stage) const;

    int m_nEra = 0;
    std::string m_strBirthYear;
    std::string m_strBirthMonth;
    std::string m_strBirthDay;

    int m_nFinalSchool = 0;
    int m_nOutcome = 0;
    int m_nHighSchoolLength = 0;
    int m_nVocationalLength = 0;
    int m_nUniversityLength = 0;
    int m_nProgression = 0;

    std::string m_strRoninElementary;
    std::string m_strRyunenElementary;
    std::string m_strRoninJuniorHigh;
    std::string m_strRyunenJuniorHigh;
    std::string m_strRoninHighSchool;
    std::string m_strRyunenHighSchool;
    std::string m_strRoninJuniorCollege;
    std::string m_strRyunenJuniorCollege;
    std::string m_strRoninVocational;
    std::string m_strRyunenVocational;
    std::string m_strRoninUniversity;
    std::string m_strRyunenUniversity;
    std::string m_strRoninMaster;
    std::string m_strRyunenMaster;
    std::string m_strRoninDoctor;
    std::string m_strRyunenDoctor;

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
