// The progress dialog's share of a device operation under the offscreen
// platform: showing the dialog, starting the worker, the ready handshake and
// the completion that ends the modal loop, with no work and with a read of a
// full machine.
#include "device/progress_dialog.h"
#include "device_machine.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_DialogRoundTrip(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(abif::runWithProgress({}, [](abif::ProgressControl &) {}));
}

void BM_ReadDataBehindDialog(benchmark::State &state) {
    const bench::FullMachine machine;
    const bench::Handle data;
    for (auto _ : state) {
        char16_t model[260] = u"";
        if (AbifDevice_ReadData(model, data.get(), 8, u"") != ABIF_OK) state.SkipWithError("read failed");
    }
}

}  // namespace

BENCHMARK(BM_DialogRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadDataBehindDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
