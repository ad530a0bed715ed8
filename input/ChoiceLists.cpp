#include "input/ChoiceLists.h"

ChoiceLists::ChoiceLists()
    : m_aEraNames{"西暦", "昭和", "平成", "令和"},
      m_aFinalSchoolNames{"小学校",   "中学校", "高校/高専",  "短大",
                          "専門学校", "大学",   "大学院修士", "大学院博士"},
      m_aOutcomeNames{std::string(kOutcomeEntered), std::string(kOutcomeGraduated)},
      m_aHighSchoolLengths{"3年制", "4年制(夜間、通信)", "5年制(高専)", "7年制(高専+専攻科)"},
      m_aVocationalLengths{"1年制", "2年制", "3年制", "4年制"},
      m_aUniversityLengths{"4年制", "5年制(夜間)", "6年制(医学部)", "6ヶ月制(放送)", "1年制(放送)"},
      m_aProgressions{"高校/高専から普通に大学へ進学", "高専から大学2年次へ編入",
                      "高専から大学3年次へ編入",       "編入せず短大から大学へ進学",
                      "短大から大学2年次へ編入",       "短大から大学3年次へ編入",
                      "専門学校から大学へ進学",        "高専専攻科から大学院へ進学"} {
    for (const char* verb : {"中退", "除籍"}) {
        for (int year = 1; year <= 8; ++year)
            m_aOutcomeNames.push_back(std::to_string(year) + "年目に" + verb);
    }
    // Added after the others, so that a stored index keeps its meaning.
    m_aOutcomeNames.insert(m_aOutcomeNames.end(), {std::string(kOutcomeCreditsWithdrawn),
                                                   std::string(kOutcomeStillEnrolled)});
}

const ChoiceLists& ChoiceLists::Get() {
    static const ChoiceLists lists;
    return lists;
}

const std::string* SelectedItem(const std::vector<std::string>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

EnabledGroups EnabledGroupsFor(std::string_view finalSchoolItem) {
    using G = EnablingGroup;
    struct Row {
        std::string_view item;
        EnabledGroups groups;
    };
    static const Row kRows[] = {
        {"小学校", {}},  // only the always-on group
        {"中学校", {G::JuniorHigh}},
        {"高校/高専", {G::JuniorHigh, G::HighSchool}},
        {"短大", {G::JuniorHigh, G::HighSchool, G::JuniorCollege}},
        {"専門学校", {G::JuniorHigh, G::HighSchool, G::Vocational}},
        {"大学", {G::JuniorHigh, G::HighSchool, G::JuniorCollege, G::Vocational, G::University}},
        {"大学院修士",
         {G::JuniorHigh, G::HighSchool, G::JuniorCollege, G::Vocational, G::University, G::Master}},
    };
    // The items hold no letters that have a case, so an exact comparison is one without regard
    // to case.
    for (const Row& row : kRows) {
        if (row.item == finalSchoolItem) return row.groups;
    }
    return EnabledGroups::All();  // 大学院博士, or an unknown item: everything
}

std::string_view ParticleFor(int outcomeIndex) {
    const std::string* item = SelectedItem(ChoiceLists::Get().m_aOutcomeNames, outcomeIndex);
    return item && (*item == kOutcomeEntered || *item == kOutcomeStillEnrolled) ? "に" : "を";
}
