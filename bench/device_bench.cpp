// Status, read and update of a full machine (99 speed dials, 6 groups of 99)
// through the exports, headless, against the same conversation run directly
// on device control: the difference is what the operations add (the job,
// the worker thread, sorting and comparing). The worker round trip alone is
// measured too.
#include "device/dev_ctrl.h"
#include "device/progress_dialog.h"
#include "device_machine.h"

#include <benchmark/benchmark.h>

namespace {

const QString kModel = QStringLiteral("QV Quillabrex K7710/K7910");

void BM_GetStatus(benchmark::State &state) {
    const bench::FullMachine machine;
    for (auto _ : state) {
        char16_t model[260] = u"";
        if (AbifDevice_GetStatus(model, 0) != (ABIF_STATUS_READ | 1)) state.SkipWithError("status failed");
    }
}

void BM_DirectStatus(benchmark::State &state) {
    const bench::FullMachine machine;
    for (auto _ : state) {
        CDevCtrl ctrl;
        ctrl.Initialize(kModel);
        ctrl.Lock();
        benchmark::DoNotOptimize(ctrl.GetStatus());
    }
}

void BM_ReadData(benchmark::State &state) {
    const bench::FullMachine machine;
    const bench::Handle data;
    for (auto _ : state) {
        char16_t model[260] = u"";
        if (AbifDevice_ReadData(model, data.get(), 8, u"") != ABIF_OK) state.SkipWithError("read failed");
    }
    state.counters["entries"] = ABIFData_GetCount_Fax(data.get());
}

void BM_DirectRead(benchmark::State &state) {
    const bench::FullMachine machine;
    CAbifData data;
    for (auto _ : state) {
        data.clearAll();
        CDevCtrl ctrl;
        ctrl.Initialize(kModel);
        ctrl.Lock();
        abif::PabCapacity capacity;
        ctrl.ReadSpec(capacity, u"");
        ctrl.ReadFax(capacity, data, u"");
        data.normalise();
    }
}

void BM_UpdateData(benchmark::State &state) {
    const bench::FullMachine machine;
    bench::Handle base, changed, result;
    char16_t model[260] = u"";
    AbifDevice_ReadData(model, base.get(), 8, u"");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench::toggleFirstNumber(base.data(), changed.data(), ++round);
        state.ResumeTiming();
        if (AbifDevice_UpdateData(model, base.get(), changed.get(), result.get(), 0x28, u"") != ABIF_OK)
            state.SkipWithError("update failed");
        swap(base, result);
    }
}

void BM_DirectUpdate(benchmark::State &state) {
    const bench::FullMachine machine;
    CAbifData base, changed, result;
    const bench::Handle read;
    char16_t model[260] = u"";
    AbifDevice_ReadData(model, read.get(), 8, u"");
    base = read.data();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench::toggleFirstNumber(base, changed, ++round);
        changed.normalise();
        state.ResumeTiming();
        CDevCtrl ctrl;
        ctrl.Initialize(kModel);
        ctrl.Lock();
        abif::PabCapacity capacity;
        ctrl.ReadSpec(capacity, u"");
        result.clearAll();
        ctrl.ReadFax(capacity, result, u"");
        ctrl.DeleteWriteFax(capacity, changed, u"");
        result.clearAll();
        ctrl.ReadFax(capacity, result, u"");
        result.normalise();
        std::swap(base, result);
    }
}

// Starting and joining the worker thread, with no work at all.
void BM_WorkerRoundTrip(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(abif::runWithProgress({}, [](abif::ProgressControl &) {}));
}

}  // namespace

BENCHMARK(BM_GetStatus)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirectStatus)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadData)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirectRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UpdateData)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirectUpdate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WorkerRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();
