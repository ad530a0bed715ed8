#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "input/InputSchema.h"

// Outcome items with a meaning of their own.
inline constexpr std::string_view kOutcomeEntered = "入学";
inline constexpr std::string_view kOutcomeGraduated = "卒業";
inline constexpr std::string_view kOutcomeCreditsWithdrawn = "単位取得退学";
inline constexpr std::string_view kOutcomeStillEnrolled = "在学中";

// The item texts of the seven choice lists, in list order; an item's index is its position.
struct ChoiceLists {
    static const ChoiceLists& Get();

    std::vector<std::string> m_aEraNames;
    std::vector<std::string> m_aFinalSchoolNames;
    std::vector<std::string> m_aOutcomeNames;
    std::vector<std::string> m_aHighSchoolLengths;
    std::vector<std::string> m_aVocationalLengths;
    std::vector<std::string> m_aUniversityLengths;
    std::vector<std::string> m_aProgressions;

  private:
    ChoiceLists();
};

// The selected item's text, or nullptr for no selection or an index the list does not hold.
const std::string* SelectedItem(const std::vector<std::string>& items, int index);

// The groups of controls that a final schooling switches on. The elementary group (its counts,
// the elementary transfer box and the age box) is always on.
class EnabledGroups {
  public:
    constexpr EnabledGroups(std::initializer_list<EnablingGroup> groups) {
        for (EnablingGroup group : groups) m_mask |= Bit(group);
    }
    static constexpr EnabledGroups All() {
        EnabledGroups all{};
        all.m_mask = ~0u;
        return all;
    }
    constexpr bool IsOn(EnablingGroup group) const {
        return group == EnablingGroup::Always || (m_mask & Bit(group)) != 0;
    }
    friend bool operator==(const EnabledGroups&, const EnabledGroups&) = default;

  private:
    static constexpr unsigned Bit(EnablingGroup group) {
        return 1u << static_cast<unsigned>(group);
    }
    unsigned m_mask = 0;
};

// The enabling rule for a final-schooling item; an unknown text enables everything.
EnabledGroups EnabledGroupsFor(std::string_view finalSchoolItem);

// The particle between the final-schooling and outcome lists: "に" for 入学 and 在学中, else
// "を".
std::string_view ParticleFor(int outcomeIndex);
