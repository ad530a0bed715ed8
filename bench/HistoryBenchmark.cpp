#include <benchmark/benchmark.h>

#include "engine/HistoryData.h"
#include "input/DialogInputs.h"
#include "input/InputTransfer.h"

namespace {

// The longest route: every stage up to the doctoral course, the age on every line.
DialogInputs LongestRouteInputs() {
    DialogInputs inputs;
    inputs.m_nFinalSchool = 7;
    inputs.m_bShowAge = 1;
    return inputs;
}

CHistoryData LongestRoute() {
    const DialogInputs inputs = LongestRouteInputs();
    CHistoryData history;
    Calculate(inputs, history, CivilDate{2026, 12, 6});
    history.m_nBirthYear = 1980;
    return history;
}

void BM_BuildHistoryText(benchmark::State& state) {
    CHistoryData history = LongestRoute();
    for (auto _ : state) {
        const std::string& text = history.BuildHistoryText(CivilDate{2026, 12, 6});
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_BuildHistoryText);

void BM_CalculateFromInputs(benchmark::State& state) {
    const DialogInputs inputs = LongestRouteInputs();
    CHistoryData history;
    for (auto _ : state) {
        const CalculationResult result = Calculate(inputs, history, CivilDate{2026, 12, 6});
        benchmark::DoNotOptimize(result.ok);
    }
}
BENCHMARK(BM_CalculateFromInputs);

}  // namespace

BENCHMARK_MAIN();
