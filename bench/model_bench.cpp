// The data set at its limits: copying shares the entries, so a copy is a
// handful of reference counts; comparisons of separately built sets must look
// at every entry and bound what undo bookkeeping costs.
#include "model_full_data.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CopyFullDataSet(benchmark::State &state) {
    const CAdrData full = bench::fullDataSet();
    for (auto _ : state) {
        CAdrData copy = full;
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_CopyFullDataSet)->Unit(benchmark::kMicrosecond);

// A copy that then takes one change: the cost of opening an edit.
void BM_CopyAndChangeOneEntry(benchmark::State &state) {
    const CAdrData full = bench::fullDataSet();
    CAdrMemberPcFax changed = *full.Map<CAdrMemberPcFax>().Lookup(250);
    changed.SetNote("changed");
    for (auto _ : state) {
        CAdrData copy = full;
        copy.StoreCopy(changed);
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_CopyAndChangeOneEntry)->Unit(benchmark::kMicrosecond);

// Separately built, so no entry is shared and every field is compared.
void BM_EqualPerKindUnshared(benchmark::State &state) {
    const CAdrData a = bench::fullDataSet();
    const CAdrData b = bench::fullDataSet();
    for (auto _ : state) benchmark::DoNotOptimize(a.EqualPerKind(b));
}
BENCHMARK(BM_EqualPerKindUnshared)->Unit(benchmark::kMicrosecond);

void BM_MarkDifferencesUnshared(benchmark::State &state) {
    const CAdrData older = bench::fullDataSet();
    const CAdrData newer = bench::fullDataSet();
    for (auto _ : state) {
        CAdrData working = newer;
        working.MarkDifferences(older);
        benchmark::DoNotOptimize(&working);
    }
}
BENCHMARK(BM_MarkDifferencesUnshared)->Unit(benchmark::kMicrosecond);

// Every PC fax member differs, so each one is stored again with its mark.
void BM_MarkDifferencesAllPcFaxChanged(benchmark::State &state) {
    const CAdrData older = bench::fullDataSet();
    CAdrData newer = older;
    older.Map<CAdrMemberPcFax>().ForEach([&](const CAdrMemberPcFax &m) {
        CAdrMemberPcFax changed = m;
        changed.SetNote("changed");
        newer.StoreCopy(changed);
    });
    for (auto _ : state) {
        CAdrData working = newer;
        working.MarkDifferences(older);
        benchmark::DoNotOptimize(&working);
    }
}
BENCHMARK(BM_MarkDifferencesAllPcFaxChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
