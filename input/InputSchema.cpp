#include "input/InputSchema.h"

#include <algorithm>
#include <stdexcept>

#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"

namespace {

using C = Control;
using G = EnablingGroup;
using K = InputKind;
using I = DialogInputs;
using L = ChoiceLists;

// In template order. A count's caption stands 3 units below its edit's top, its "回" after it.
constexpr std::array<InputField, kInputCount> kFields = {{
    {.kind = K::List,
     .control = C::Era,
     .name = "era",
     .title = "生年月日の元号",
     .caption = {"生年月日", {3, 7, 33, 8}},
     .box = {39, 3, 37, 66},
     .exchangeSlot = 31,
     .settingsSlot = 0,
     .settingsKey = "歴",
     .option = "era",
     .number = &I::m_nEra,
     .items = &L::m_aEraNames},
    {.kind = K::Text,
     .control = C::BirthYear,
     .name = "birthYear",
     .title = "生年月日の年",
     .box = {79, 3, 28, 13},
     .unit = {"年", {110, 8, 9, 8}},
     .maxLength = 4,
     .allowsGan = true,
     .exchangeSlot = 3,
     .option = "year",
     .defaultValue = 1980,
     .text = &I::m_strBirthYear},
    {.kind = K::Text,
     .control = C::BirthMonth,
     .name = "birthMonth",
     .title = "生年月日の月",
     .box = {121, 3, 15, 13},
     .unit = {"月", {139, 8, 9, 8}},
     .maxLength = 2,
     .exchangeSlot = 1,
     .option = "month",
     .defaultValue = 1,
     .text = &I::m_strBirthMonth},
    {.kind = K::Text,
     .control = C::BirthDay,
     .name = "birthDay",
     .title = "生年月日の日",
     .box = {151, 3, 15, 13},
     .unit = {"日", {169, 8, 9, 8}},
     .maxLength = 2,
     .exchangeSlot = 0,
     .option = "day",
     .defaultValue = 1,
     .text = &I::m_strBirthDay},
    {.kind = K::List,
     .control = C::FinalSchool,
     .name = "finalSchool",
     .title = "最終学歴",
     .caption = {"最終学歴", {3, 24, 33, 8}},
     .box = {39, 20, 68, 86},
     .exchangeSlot = 33,
     .settingsSlot = 1,
     .settingsKey = "最終学歴",
     .option = "final",
     .defaultValue = 5,
     .number = &I::m_nFinalSchool,
     .items = &L::m_aFinalSchoolNames},
    {.kind = K::List,
     .control = C::Outcome,
     .name = "outcome",
     .title = "最終学歴をどうしたか",
     .box = {121, 20, 86, 90},
     .exchangeSlot = 34,
     .settingsSlot = 2,
     .settingsKey = "最終学歴をどうした",
     .option = "outcome",
     .defaultValue = 1,
     .number = &I::m_nOutcome,
     .items = &L::m_aOutcomeNames},

    {.kind = K::Ronin,
     .control = C::RoninElementary,
     .name = "roninElementary",
     .title = "小学の浪人回数",
     .caption = {"小学浪人", {3, 47, 33, 8}},
     .box = {39, 44, 15, 12},
     .unit = {"回", {57, 47, 9, 8}},
     .group = G::Always,
     .exchangeSlot = 9,
     .option = "ronin",
     .stage = 1,
     .text = &I::m_strRoninElementary},
    {.kind = K::Ryunen,
     .control = C::RyunenElementary,
     .name = "ryunenElementary",
     .title = "小学の留年回数",
     .caption = {"小学留年", {86, 47, 33, 8}},
     .box = {121, 44, 15, 12},
     .unit = {"回", {139, 47, 9, 8}},
     .group = G::Always,
     .exchangeSlot = 8,
     .option = "ryunen",
     .stage = 1,
     .text = &I::m_strRyunenElementary},
    {.kind = K::Ronin,
     .control = C::RoninJuniorHigh,
     .name = "roninJuniorHigh",
     .title = "中学の浪人回数",
     .caption = {"中学浪人", {3, 62, 33, 8}},
     .box = {39, 59, 15, 12},
     .unit = {"回", {57, 62, 9, 8}},
     .group = G::JuniorHigh,
     .exchangeSlot = 15,
     .option = "ronin",
     .stage = 2,
     .text = &I::m_strRoninJuniorHigh},
    {.kind = K::Ryunen,
     .control = C::RyunenJuniorHigh,
     .name = "ryunenJuniorHigh",
     .title = "中学の留年回数",
     .caption = {"中学留年", {86, 62, 33, 8}},
     .box = {121, 59, 15, 12},
     .unit = {"回", {139, 62, 9, 8}},
     .group = G::JuniorHigh,
     .exchangeSlot = 14,
     .option = "ryunen",
     .stage = 2,
     .text = &I::m_strRyunenJuniorHigh},
    {.kind = K::Ronin,
     .control = C::RoninHighSchool,
     .name = "roninHighSchool",
     .title = "高校の浪人回数",
     .caption = {"高校浪人", {3, 76, 33, 8}},
     .box = {39, 73, 15, 12},
     .unit = {"回", {57, 76, 9, 8}},
     .group = G::HighSchool,
     .exchangeSlot = 11,
     .option = "ronin",
     .stage = 3,
     .text = &I::m_strRoninHighSchool},
    {.kind = K::Ryunen,
     .control = C::RyunenHighSchool,
     .name = "ryunenHighSchool",
     .title = "高校の留年回数",
     .caption = {"高校留年", {86, 76, 33, 8}},
     .box = {121, 73, 15, 12},
     .unit = {"回", {139, 76, 9, 8}},
     .group = G::HighSchool,
     .exchangeSlot = 10,
     .option = "ryunen",
     .stage = 3,
     .text = &I::m_strRyunenHighSchool},
    // The 短大 row stands above the 専門 row although the 専門 edits have the lower IDs.
    {.kind = K::Ronin,
     .control = C::RoninJuniorCollege,
     .name = "roninJuniorCollege",
     .title = "短大の浪人回数",
     .caption = {"短大浪人", {3, 90, 33, 8}},
     .box = {39, 87, 15, 12},
     .unit = {"回", {57, 90, 9, 8}},
     .group = G::JuniorCollege,
     .exchangeSlot = 13,
     .option = "ronin",
     .stage = 4,
     .text = &I::m_strRoninJuniorCollege},
    {.kind = K::Ryunen,
     .control = C::RyunenJuniorCollege,
     .name = "ryunenJuniorCollege",
     .title = "短大の留年回数",
     .caption = {"短大留年", {86, 90, 33, 8}},
     .box = {121, 87, 15, 12},
     .unit = {"回", {139, 90, 9, 8}},
     .group = G::JuniorCollege,
     .exchangeSlot = 12,
     .option = "ryunen",
     .stage = 4,
     .text = &I::m_strRyunenJuniorCollege},
    {.kind = K::Ronin,
     .control = C::RoninVocational,
     .name = "roninVocational",
     .title = "専門の浪人回数",
     .caption = {"専門浪人", {3, 104, 33, 8}},
     .box = {39, 101, 15, 12},
     .unit = {"回", {57, 104, 9, 8}},
     .group = G::Vocational,
     .exchangeSlot = 19,
     .option = "ronin",
     .stage = 5,
     .text = &I::m_strRoninVocational},
    {.kind = K::Ryunen,
     .control = C::RyunenVocational,
     .name = "ryunenVocational",
     .title = "専門の留年回数",
     .caption = {"専門留年", {86, 104, 33, 8}},
     .box = {121, 101, 15, 12},
     .unit = {"回", {139, 104, 9, 8}},
     .group = G::Vocational,
     .exchangeSlot = 18,
     .option = "ryunen",
     .stage = 5,
     .text = &I::m_strRyunenVocational},
    {.kind = K::Ronin,
     .control = C::RoninUniversity,
     .name = "roninUniversity",
     .title = "大学の浪人回数",
     .caption = {"大学浪人", {3, 118, 33, 8}},
     .box = {39, 115, 15, 12},
     .unit = {"回", {57, 118, 9, 8}},
     .group = G::University,
     .exchangeSlot = 5,
     .option = "ronin",
     .stage = 6,
     .text = &I::m_strRoninUniversity},
    {.kind = K::Ryunen,
     .control = C::RyunenUniversity,
     .name = "ryunenUniversity",
     .title = "大学の留年回数",
     .caption = {"大学留年", {86, 118, 33, 8}},
     .box = {121, 115, 15, 12},
     .unit = {"回", {139, 118, 9, 8}},
     .group = G::University,
     .exchangeSlot = 4,
     .option = "ryunen",
     .stage = 6,
     .text = &I::m_strRyunenUniversity},
    {.kind = K::Ronin,
     .control = C::RoninMaster,
     .name = "roninMaster",
     .title = "修士の浪人回数",
     .caption = {"修士浪人", {3, 132, 33, 8}},
     .box = {39, 129, 15, 12},
     .unit = {"回", {57, 132, 9, 8}},
     .group = G::Master,
     .exchangeSlot = 17,
     .option = "ronin",
     .stage = 7,
     .text = &I::m_strRoninMaster},
    {.kind = K::Ryunen,
     .control = C::RyunenMaster,
     .name = "ryunenMaster",
     .title = "修士の留年回数",
     .caption = {"修士留年", {86, 132, 33, 8}},
     .box = {121, 129, 15, 12},
     .unit = {"回", {139, 132, 9, 8}},
     .group = G::Master,
     .exchangeSlot = 16,
     .option = "ryunen",
     .stage = 7,
     .text = &I::m_strRyunenMaster},
    {.kind = K::Ronin,
     .control = C::RoninDoctor,
     .name = "roninDoctor",
     .title = "博士の浪人回数",
     .caption = {"博士浪人", {3, 146, 33, 8}},
     .box = {39, 143, 15, 12},
     .unit = {"回", {57, 146, 9, 8}},
     .group = G::Doctor,
     .exchangeSlot = 7,
     .option = "ronin",
     .stage = 8,
     .text = &I::m_strRoninDoctor},
    {.kind = K::Ryunen,
     .control = C::RyunenDoctor,
     .name = "ryunenDoctor",
     .title = "博士の留年回数",
     .caption = {"博士留年", {86, 146, 33, 8}},
     .box = {121, 143, 15, 12},
     .unit = {"回", {139, 146, 9, 8}},
     .group = G::Doctor,
     .exchangeSlot = 6,
     .option = "ryunen",
     .stage = 8,
     .text = &I::m_strRyunenDoctor},

    {.kind = K::List,
     .control = C::HighSchoolLength,
     .name = "highSchoolLength",
     .title = "高校・高専の年数",
     .caption = {"高校・高専は", {9, 176, 49, 8}},
     .box = {60, 172, 147, 98},
     .group = G::HighSchool,
     .exchangeSlot = 30,
     .settingsSlot = 3,
     .settingsKey = "高校は",
     .option = "high-school",
     .number = &I::m_nHighSchoolLength,
     .items = &L::m_aHighSchoolLengths},
    {.kind = K::List,
     .control = C::VocationalLength,
     .name = "vocationalLength",
     .title = "専門学校の年数",
     .caption = {"専門学校は", {9, 193, 41, 8}},
     .box = {60, 188, 147, 90},
     .group = G::Vocational,
     .exchangeSlot = 32,
     .settingsSlot = 4,
     .settingsKey = "専門学校は",
     .option = "vocational",
     .defaultValue = 1,
     .number = &I::m_nVocationalLength,
     .items = &L::m_aVocationalLengths},
    {.kind = K::List,
     .control = C::UniversityLength,
     .name = "universityLength",
     .title = "大学の年数",
     .caption = {"大学は", {9, 209, 25, 8}},
     .box = {60, 204, 147, 100},
     .group = G::University,
     .exchangeSlot = 29,
     .settingsSlot = 5,
     .settingsKey = "大学は",
     .option = "university",
     .number = &I::m_nUniversityLength,
     .items = &L::m_aUniversityLengths},
    {.kind = K::List,
     .control = C::Progression,
     .name = "progression",
     .title = "進学・編入",
     .caption = {"進学・編入", {9, 224, 41, 8}},
     .box = {60, 220, 147, 96},
     .group = G::University,
     .exchangeSlot = 28,
     .settingsSlot = 6,
     .settingsKey = "進学・編入",
     .option = "route",
     .number = &I::m_nProgression,
     .items = &L::m_aProgressions},

    {.kind = K::Check,
     .control = C::ElementaryTransfer,
     .name = "elementaryTransfer",
     .caption = {"小学校で上級学年に編入した", {}},
     .box = {9, 237, 120, 10},
     .group = G::Always,
     .exchangeSlot = 25,
     .settingsSlot = 13,
     .settingsKey = "小学校で上級学年に編入した",
     .option = "elementary-transfer",
     .number = &I::m_bElementaryTransfer},
    {.kind = K::Check,
     .control = C::JuniorHighTransfer,
     .name = "juniorHighTransfer",
     .caption = {"中学校で上級学年に編入した", {}},
     .box = {9, 249, 120, 10},
     .group = G::JuniorHigh,
     .exchangeSlot = 26,
     .settingsSlot = 14,
     .settingsKey = "中学校で上級学年に編入した",
     .option = "junior-high-transfer",
     .number = &I::m_bJuniorHighTransfer},
    {.kind = K::Check,
     .control = C::SkipHighSchoolLastYear,
     .name = "skipHighSchoolLastYear",
     .caption = {"高校最終学年を飛び越えて大学へ", {}},
     .box = {9, 261, 163, 10},
     .group = G::HighSchool,
     .exchangeSlot = 23,
     .settingsSlot = 7,
     .settingsKey = "高校最終学年を飛び越えて大学へ",
     .option = "skip-high-school-last-year",
     .number = &I::m_bSkipHighSchoolLastYear},
    {.kind = K::Check,
     .control = C::UniversityAutumnEntry,
     .name = "universityAutumnEntry",
     .caption = {"大学は秋季入学", {}},
     .box = {9, 273, 68, 10},
     .group = G::University,
     .exchangeSlot = 35,
     .settingsSlot = 15,
     .settingsKey = "大学は秋季入学した",
     .option = "university-autumn-entry",
     .number = &I::m_bUniversityAutumnEntry},
    {.kind = K::Check,
     .control = C::UniversityHalfYear,
     .name = "universityHalfYear",
     .caption = {"大学は半年留年した", {}},
     .box = {9, 285, 88, 10},
     .group = G::University,
     .exchangeSlot = 27,
     .settingsSlot = 9,
     .settingsKey = "大学は9月卒業または半年留年した",
     .option = "university-half-year",
     .number = &I::m_bUniversityHalfYear},
    {.kind = K::Check,
     .control = C::SkipUniversityLastYear,
     .name = "skipUniversityLastYear",
     .caption = {"大学最終学年を飛び越えて大学院へ", {}},
     .box = {9, 297, 163, 10},
     .group = G::Master,
     .exchangeSlot = 21,
     .settingsSlot = 8,
     .settingsKey = "大学最終学年を飛び越えて大学院へ",
     .option = "skip-university-last-year",
     .number = &I::m_bSkipUniversityLastYear},
    {.kind = K::Check,
     .control = C::GraduateAutumnEntry,
     .name = "graduateAutumnEntry",
     .caption = {"大学院は秋季入学", {}},
     .box = {9, 324, 80, 10},
     .group = G::Master,
     .exchangeSlot = 36,
     .settingsSlot = 16,
     .settingsKey = "大学院は秋季入学した",
     .option = "graduate-autumn-entry",
     .number = &I::m_bGraduateAutumnEntry},
    {.kind = K::Check,
     .control = C::DirectDoctor,
     .name = "directDoctor",
     .caption = {"大学院がいきなり博士課程で4年制", {}},
     .box = {9, 337, 163, 10},
     .group = G::Doctor,
     .exchangeSlot = 20,
     .settingsSlot = 10,
     .settingsKey = "大学院がいきなり博士課程で4年制",
     .option = "direct-doctor",
     .number = &I::m_bDirectDoctor},
    {.kind = K::Check,
     .control = C::ShortenMaster,
     .name = "shortenMaster",
     .caption = {"修士課程1年短縮", {}},
     .box = {9, 349, 163, 10},
     .group = G::Master,
     .exchangeSlot = 24,
     .settingsSlot = 11,
     .settingsKey = "修士課程1年短縮",
     .option = "shorten-master",
     .number = &I::m_bShortenMaster},
    {.kind = K::Check,
     .control = C::ShortenDoctor,
     .name = "shortenDoctor",
     .caption = {"博士課程1年短縮", {}},
     .box = {9, 361, 163, 10},
     .group = G::Doctor,
     .exchangeSlot = 22,
     .settingsSlot = 12,
     .settingsKey = "博士課程1年短縮",
     .option = "shorten-doctor",
     .number = &I::m_bShortenDoctor},
    {.kind = K::Check,
     .control = C::ShowAge,
     .name = "showAge",
     .caption = {"年齢を表示する", {}},
     .box = {9, 373, 196, 10},
     .group = G::Always,
     .exchangeSlot = 37,
     .settingsSlot = 17,
     .settingsKey = "年齢を表示する",
     .option = "show-age",
     .number = &I::m_bShowAge},

    {.kind = K::History,
     .control = C::HistoryText,
     .name = "historyText",
     .title = "履歴",
     .box = {219, 56, 195, 275},
     .exchangeSlot = 2},
}};

// The rows ordered by one of their slots; rows without a place in that order are left out.
template <std::size_t N>
constexpr std::array<const InputField*, N> OrderedBy(int InputField::*slot) {
    std::array<const InputField*, N> order{};
    for (const InputField& field : kFields) {
        const int position = field.*slot;
        if (position < 0) continue;
        if (static_cast<std::size_t>(position) >= N || order[static_cast<std::size_t>(position)])
            throw std::logic_error("slots must number the rows 0, 1, 2 ... without repeats");
        order[static_cast<std::size_t>(position)] = &field;
    }
    return order;
}

constexpr auto kExchangeOrder = OrderedBy<kInputCount>(&InputField::exchangeSlot);
constexpr auto kSettingsOrder = OrderedBy<kStoredChoiceCount>(&InputField::settingsSlot);

constexpr bool EveryRowIsFilled() {
    for (const InputField* field : kExchangeOrder)
        if (!field) return false;
    for (const InputField* field : kSettingsOrder)
        if (!field || field->settingsKey.empty()) return false;
    for (const InputField& field : kFields) {
        const bool stored = field.kind == K::List || field.kind == K::Check;
        if (stored != (field.settingsSlot >= 0) || stored != (field.number != nullptr))
            return false;
        if ((field.kind == K::List) != (field.items != nullptr)) return false;
        const bool text =
            field.kind == K::Text || field.kind == K::Ronin || field.kind == K::Ryunen;
        if (text != (field.text != nullptr) || field.name.empty()) return false;
    }
    return true;
}
constexpr bool NoTwoRowsShare() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        for (std::size_t j = i + 1; j < kFields.size(); ++j) {
            const InputField& a = kFields[i];
            const InputField& b = kFields[j];
            if (a.control == b.control || a.name == b.name) return false;
            if ((a.number && a.number == b.number) || (a.text && a.text == b.text)) return false;
        }
    }
    return true;
}

static_assert(EveryRowIsFilled(), "every input needs its slots, its member and its name");
static_assert(NoTwoRowsShare(), "every input has a control, a name and a member of its own");

constexpr std::array<const InputField*, 2 * 8> CountsByStage() {
    std::array<const InputField*, 2 * 8> counts{};
    for (const InputField& field : kFields) {
        if (field.kind != K::Ronin && field.kind != K::Ryunen) continue;
        const std::size_t index =
            2 * static_cast<std::size_t>(field.stage - 1) + (field.kind == K::Ryunen ? 1 : 0);
        if (counts[index]) throw std::logic_error("one count per stage and kind");
        counts[index] = &field;
    }
    for (const InputField* field : counts)
        if (!field) throw std::logic_error("every stage needs both counts");
    return counts;
}

constexpr auto kCountsByStage = CountsByStage();

}  // namespace

std::span<const InputField, kInputCount> InputSchema() {
    return kFields;
}

std::span<const InputField* const, kInputCount> ExchangeOrder() {
    return kExchangeOrder;
}

std::span<const InputField* const, kStoredChoiceCount> SettingsOrder() {
    return kSettingsOrder;
}

const InputField* FindField(Control control) {
    const auto found = std::find_if(kFields.begin(), kFields.end(), [control](const InputField& f) {
        return f.control == control;
    });
    return found == kFields.end() ? nullptr : &*found;
}

const InputField& CountField(int stage, InputKind kind) {
    return *kCountsByStage.at(2 * static_cast<std::size_t>(stage - 1) +
                              (kind == InputKind::Ryunen ? 1 : 0));
}

bool IsCount(const InputField& field) {
    return field.kind == InputKind::Ronin || field.kind == InputKind::Ryunen;
}
