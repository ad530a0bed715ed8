// Reads and edits arbitrary file contents and checks what an edit must preserve.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdlib>
#include <string>

#include "engine/HistoryData.h"
#include "platform/Cp932.h"
#include "settings/HistoryProfile.h"
#include "settings/IniText.h"

namespace {

const std::array<QByteArray, 4>& Sections() {
    static const std::array<QByteArray, 4> sections = {ToCp932("Vesmerデータ"), QByteArray("a"),
                                                       ToCp932("ゾ表"), ToCp932("VesmerDLGデータ")};
    return sections;
}

const std::array<QByteArray, 5>& Keys() {
    static const std::array<QByteArray, 5> keys = {ToCp932("INIファイルバージョン"), ToCp932("小"),
                                                   QByteArray("Key"), ToCp932("ア"), ToCp932("ャ")};
    return keys;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

// A value that reads back exactly as written: no line breaks, no blanks around it, not quoted.
QByteArray PlainValue(std::string text) {
    QByteArray value;
    for (char c : text) {
        if (c != '\r' && c != '\n') value.append(c);
    }
    while (!value.isEmpty() && (value.front() == ' ' || value.front() == '\t')) value.remove(0, 1);
    while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\t')) value.chop(1);
    if (!value.isEmpty() && (value.front() == '"' || value.front() == '\'')) value.prepend('x');
    return value.left(IniText::kMaxValueBytes - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider provider(data, size);
    const QByteArray& section = Sections()[provider.ConsumeIntegralInRange<size_t>(0, 3)];
    const QByteArray& key = Keys()[provider.ConsumeIntegralInRange<size_t>(0, 4)];
    const QByteArray& otherKey = Keys()[provider.ConsumeIntegralInRange<size_t>(0, 4)];
    const QByteArray value = PlainValue(provider.ConsumeRandomLengthString(64));
    const std::string rest = provider.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), static_cast<qsizetype>(rest.size()));

    // Reading: any value found is bounded and scans without fault, and one pass over the text
    // for all keys finds what each search finds.
    const auto all = IniText::FindValues(content, section,
                                         std::vector<QByteArray>(Keys().begin(), Keys().end()));
    for (std::size_t i = 0; i < Keys().size(); ++i)
        Check(all[i] == IniText::FindValue(content, section, Keys()[i]));
    for (const QByteArray& name : Keys()) {
        if (const auto found = IniText::FindValue(content, section, name)) {
            Check(found->size() <= IniText::kMaxValueBytes);
            StageRecord stage;
            ParseStageRecord(FromCp932(*found), stage);
        }
    }

    // Writing: the key reads back, another key keeps its value, a second write changes nothing.
    const auto otherBefore = IniText::FindValue(content, section, otherKey);
    QByteArray edited = content;
    Check(IniText::SetValue(edited, section, key, value));
    Check(IniText::FindValue(edited, section, key) == value);
    if (!IniText::SameName(key, otherKey))
        Check(IniText::FindValue(edited, section, otherKey) == otherBefore);
    QByteArray again = edited;
    Check(IniText::SetValue(again, section, key, value));
    Check(again == edited);
    return 0;
}
