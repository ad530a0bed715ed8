#include "engine/Wareki.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "engine/Era.h"
#include "engine/NumberText.h"

namespace {

constexpr std::string_view kBeforeGregorian =
    "日本では明治5年12月2日まで太陰太陽暦（旧暦）が使われていたため、1873年（明治6年）1月1日より"
    "前の日付は変換できません。";
constexpr std::string_view kAfterLastYear = "9999年12月31日より後の日付は変換できません。";
constexpr std::string_view kWesternYearTooLarge = "西暦の年は9999年までで入力してください。";
constexpr std::string_view kMonthOutOfRange = "月は1から12までの数で入力してください。";
constexpr std::string_view kNoEra = "元号を選んでください。";
constexpr std::string_view kBirthYearOutOfRange =
    "生まれ年は1873から2100までの数で入力してください。";

std::string Num(int value) {
    std::string text;
    AppendPadded(text, value, 0);
    return text;
}

const EraStart& Era(int index) {
    return kEras[static_cast<std::size_t>(index)];
}

int EraYearOf(int index, int westernYear) {
    return westernYear - Era(index).first.year + 1;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

constexpr std::string_view kFullWidthHyphen = "－";

// Digits only, ASCII or full-width.
bool IsNumberText(std::string_view text) {
    return IsAllDigits(ToAsciiDigits(text));
}

// One typed number: its text, the name it goes by in a message, whether "元" stands for 1.
struct Field {
    std::string_view text;
    std::string_view label;
    bool allowGan;
    int* value;
    DateField field = DateField::None;
};

// Reads the fields in order; the first empty or non-numeric one is refused by its name, and
// refused names it.
bool ReadFields(std::initializer_list<Field> fields, std::string& reason,
                DateField* refused = nullptr) {
    for (const Field& field : fields) {
        if (refused) *refused = field.field;
        const std::string ascii = ToAsciiDigits(Trim(field.text));
        if (ascii.empty()) {
            reason = std::string(field.label) + "を入力してください。";
            return false;
        }
        if (field.allowGan && ascii == "元") {
            *field.value = 1;
        } else if (IsAllDigits(ascii)) {
            *field.value = ParseLeadingInt(ascii);  // clamped, so that 99999… stays large
        } else {
            reason =
                std::string(field.label) + (field.allowGan ? "は数字か「元」で入力してください。"
                                                           : "は数字で入力してください。");
            return false;
        }
    }
    return true;
}

DateConversion Refused(std::string_view reason, DateField field) {
    DateConversion conversion;
    conversion.reason = reason;
    conversion.field = field;
    return conversion;
}

// The month and day against the month's length; yearText names the year in the message. A
// refusal is returned as a conversion that is not ok.
DateConversion CheckMonthDay(int westernYear, int month, int day, const std::string& yearText) {
    if (month < 1 || month > 12) return Refused(kMonthOutOfRange, DateField::Month);
    const int last = DaysInMonth(westernYear, month);
    if (day >= 1 && day <= last) return {true, {}, {}, {}, DateField::None};
    return Refused("日は1から" + Num(last) + "までの数で入力してください（" + yearText +
                       Num(month) + "月は" + Num(last) + "日まで）。",
                   DateField::Day);
}

std::string SeirekiDayText(const CivilDate& date) {
    return Num(date.year) + "年" + Num(date.month) + "月" + Num(date.day) + "日";
}

// "大正は元年7月30日（1912年7月30日）から" for a bound of an era.
std::string EraBoundText(int era, const CivilDate& bound, std::string_view suffix) {
    const WarekiDate date{era, EraYearOf(era, bound.year), bound.month, bound.day};
    const std::string withEra = WarekiText(date);
    return std::string(Era(era).name) + "は" + withEra.substr(Era(era).name.size()) + "（" +
           SeirekiDayText(bound) + "）" + std::string(suffix);
}

}  // namespace

DateConversion FromSeireki(const CivilDate& date) {
    if (date.year > kLastConvertibleYear) return Refused(kWesternYearTooLarge, DateField::Year);
    if (DateConversion days = CheckMonthDay(date.year, date.month, date.day, Num(date.year) + "年");
        !days.ok)
        return days;
    if (date < kGregorianStart) return Refused(kBeforeGregorian, DateField::Year);
    const int era = EraIndexOn(date);
    return {true, date, {era, EraYearOf(era, date.year), date.month, date.day}, {}};
}

DateConversion FromWareki(const WarekiDate& date) {
    using F = DateField;
    if (date.era < 0 || date.era >= kEraCount) return Refused(kNoEra, F::Era);
    const std::string eraName(Era(date.era).name);
    if (date.year < 1)
        return Refused(
            eraName + Num(date.year) + "年はありません。和暦の年は元年（1年）から数えます。",
            F::Year);
    if (date.month < 1 || date.month > 12) return Refused(kMonthOutOfRange, F::Month);
    CivilDate last;
    const bool ended = EraLastDay(date.era, last);
    const std::string missing = WarekiText(date) + "はありません。";
    if (ended && date.year > EraYearOf(date.era, last.year))
        return Refused(missing + EraBoundText(date.era, last, "までです。"), F::Year);
    if (date.year > kLastConvertibleYear) return Refused(kAfterLastYear, F::Year);
    const int western = WesternYear(date.era, date.year);
    if (DateConversion days =
            CheckMonthDay(western, date.month, date.day, EraYearText(date.era, date.year));
        !days.ok)
        return days;
    const CivilDate civil{western, date.month, date.day};
    if (civil < Era(date.era).first)
        return Refused(missing + EraBoundText(date.era, Era(date.era).first, "からです。"),
                       F::Year);
    if (ended && civil > last)
        return Refused(missing + EraBoundText(date.era, last, "までです。"), F::Year);
    if (civil > CivilDate{kLastConvertibleYear, 12, 31}) return Refused(kAfterLastYear, F::Year);
    if (civil < kGregorianStart) return Refused(kBeforeGregorian, F::Year);
    return {true, civil, date, {}};
}

DateConversion FromSeireki(const SeirekiFields& fields) {
    CivilDate date;
    std::string reason;
    DateField refused = DateField::None;
    if (!ReadFields({{fields.year, "西暦の年", false, &date.year, DateField::Year},
                     {fields.month, "月", false, &date.month, DateField::Month},
                     {fields.day, "日", false, &date.day, DateField::Day}},
                    reason, &refused))
        return Refused(reason, refused);
    return FromSeireki(date);
}

DateConversion FromWareki(const WarekiFields& fields) {
    WarekiDate date{fields.era, 0, 0, 0};
    std::string reason;
    DateField refused = DateField::None;
    if (date.era < 0 || date.era >= kEraCount) return Refused(kNoEra, DateField::Era);
    if (!ReadFields({{fields.year, "和暦の年", true, &date.year, DateField::Year},
                     {fields.month, "月", false, &date.month, DateField::Month},
                     {fields.day, "日", false, &date.day, DateField::Day}},
                    reason, &refused))
        return Refused(reason, refused);
    return FromWareki(date);
}

std::string EraYearText(int era, int year) {
    return std::string(Era(era).name) + (year == 1 ? std::string("元") : Num(year)) + "年";
}

std::string WarekiText(const WarekiDate& date) {
    return EraYearText(date.era, date.year) + Num(date.month) + "月" + Num(date.day) + "日";
}

std::string IsoText(const CivilDate& date) {
    std::string text;
    const auto append = [&text](int value, int width) {
        std::string digits = Num(value);
        text.append(digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0,
                    '0');
        text += digits;
    };
    append(date.year, 4);
    text += '-';
    append(date.month, 2);
    text += '-';
    append(date.day, 2);
    return text;
}

bool SplitWarekiText(std::string_view text, WarekiFields& fields) {
    text = Trim(text);
    fields.era = -1;
    for (int i = 0; i < kEraCount; ++i) {
        if (text.starts_with(Era(i).name)) fields.era = i;
    }
    if (fields.era < 0) return false;
    text.remove_prefix(Era(fields.era).name.size());
    std::string_view* parts[] = {&fields.year, &fields.month, &fields.day};
    const std::string_view units[] = {"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = text.find(units[i]);
        if (end == std::string_view::npos) return false;
        *parts[i] = Trim(text.substr(0, end));
        text.remove_prefix(end + units[i].size());
        if (!IsNumberText(*parts[i]) && !(i == 0 && *parts[i] == "元")) return false;
    }
    return Trim(text).empty();
}

bool SplitIsoText(std::string_view text, SeirekiFields& fields) {
    std::string_view* parts[] = {&fields.year, &fields.month, &fields.day};
    for (int i = 0; i < 3; ++i) {
        std::size_t end = text.size();
        std::size_t next = end;
        if (i < 2) {
            end = std::min(text.find('-'), text.find(kFullWidthHyphen));
            if (end == std::string_view::npos) return false;
            next = end + (text[end] == '-' ? 1 : kFullWidthHyphen.size());
        }
        *parts[i] = Trim(text.substr(0, end));
        if (!IsNumberText(*parts[i])) return false;
        text.remove_prefix(next);
    }
    return true;
}

std::string Kanshi(int year) {
    static constexpr std::array<std::string_view, 10> kStems{"甲", "乙", "丙", "丁", "戊",
                                                             "己", "庚", "辛", "壬", "癸"};
    static constexpr std::array<std::string_view, 12> kBranches{"子", "丑", "寅", "卯", "辰", "巳",
                                                                "午", "未", "申", "酉", "戌", "亥"};
    // Year 4 of the Common Era was a 甲子 year.
    const int cycle = ((year - 4) % 60 + 60) % 60;
    return std::string(kStems[static_cast<std::size_t>(cycle % 10)]) +
           std::string(kBranches[static_cast<std::size_t>(cycle % 12)]);
}

std::string YearEraText(int year) {
    const int first = EraIndexOn({year, 1, 1});
    const int last = EraIndexOn({year, 12, 31});
    std::string text = EraYearText(first, EraYearOf(first, year));
    if (last != first) text += "/" + EraYearText(last, EraYearOf(last, year));
    return text;
}

bool ReadBirthYear(std::string_view text, int& year, std::string& reason) {
    if (!ReadFields({{text, "生まれ年", false, &year}}, reason)) return false;
    if (year >= kTableFirstYear && year <= kTableLastYear) return true;
    reason = kBirthYearOutOfRange;
    return false;
}

std::string YearTableLine(int year, std::optional<int> birthYear) {
    std::string line = Num(year) + "\t" + YearEraText(year) + "\t" + Kanshi(year);
    if (birthYear) {
        line += '\t';
        if (year >= *birthYear) line += Num(year - *birthYear);
    }
    return line;
}

std::string YearTableText(std::optional<int> birthYear) {
    std::string text;
    for (int year = kTableFirstYear; year <= kTableLastYear; ++year)
        text += YearTableLine(year, birthYear) + "\n";
    return text;
}
