#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "platform/Cp932.h"
#include "platform/WholeFile.h"
#include "settings/DialogState.h"
#include "settings/HistoryProfile.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsLocation.h"

namespace {

constexpr int kBirthYear = 1966;

// A settings file of exactly 8 MiB: the section filled with other keys, its own keys last, so
// that every key is found only at the end of the file.
QByteArray LargeFile(const char* section, const CIniFile::Entries& entries) {
    QByteArray tail;
    for (const auto& [key, value] : entries) tail += ToCp932(key + "=" + value + "\r\n");
    QByteArray bytes = "[" + ToCp932(section) + "]\r\n";
    const QByteArray filler = "k0000000=0 0 0 0 0 0 0 0 0 0\r\n";
    while (bytes.size() + filler.size() + tail.size() <= CIniFile::kMaxFileBytes) bytes += filler;
    bytes += QByteArray(CIniFile::kMaxFileBytes - bytes.size() - tail.size(), '\n');
    return bytes + tail;
}

class LargeSettings {
  public:
    LargeSettings() : m_location(CSettingsLocation::InFolder(m_dir.path())) {
        DialogInputs inputs;
        inputs.ResetInputs();
        CHistoryData history;
        history.m_nBirthYear = kBirthYear;
        WriteWholeFile(m_dir.filePath("Vesmer.ini"),
                       LargeFile("Vesmerデータ", ProfileEntries(history)));
        WriteWholeFile(m_dir.filePath("VesmerDlg.ini"),
                       LargeFile("VesmerDLGデータ", DialogStateEntries(inputs)));
    }
    CSettingsLocation& Location() { return m_location; }

  private:
    QTemporaryDir m_dir;
    CSettingsLocation m_location;
};

// What the window and vesmer-cli --load do at start with two files of 8 MiB.
void BM_LoadStartupInputs(benchmark::State& state) {
    LargeSettings settings;
    for (auto _ : state) {
        DialogInputs inputs;
        CHistoryData history;
        LoadStartupInputs(inputs, history, settings.Location());
        if (history.m_nBirthYear != kBirthYear) state.SkipWithError("the files were not read");
    }
}
BENCHMARK(BM_LoadStartupInputs)->Unit(benchmark::kMillisecond);

// For comparison: every key read on its own, each read parsing the whole file again.
void BM_LoadKeyByKey(benchmark::State& state) {
    LargeSettings settings;
    const CHistoryData history;
    settings.Location().SetProfileFile(false);
    const CIniFile file(settings.Location().ProfilePath());
    for (auto _ : state) {
        for (const std::string& key : ProfileKeys(history))
            benchmark::DoNotOptimize(file.GetString("Vesmerデータ", key, ""));
    }
}
BENCHMARK(BM_LoadKeyByKey)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
