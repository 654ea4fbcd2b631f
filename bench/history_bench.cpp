// Memory of a full undo history: ten snapshots of a data set at its limits,
// each one entry apart, against a single snapshot. Unchanged entries are
// shared, so the nine extra snapshots should cost far less than a tenth copy.
// Heap use is read from the allocator, which also sees Qt's string data.
#include "model/adr_history.h"
#include "model_full_data.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

size_t heapInUse() { return mallinfo2().uordblks; }

// `n`th edit: one PC fax member, whose kind has the largest slot table.
CAdrMemberPcFax changedMember(const CAdrHistory &h, int n) {
    CAdrMemberPcFax member = *h.GetCurrent()->Map<CAdrMemberPcFax>().Lookup(static_cast<quint16>(n * 50));
    member.SetNote(QStringLiteral("edit %1").arg(n));
    return member;
}

void BM_HistoryOfTenSnapshots(benchmark::State &state) {
    for (auto _ : state) {
        const size_t empty = heapInUse();
        CAdrHistory history;
        history.Begin();
        history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, bench::fullDataSet());
        history.Commit();
        const size_t one = heapInUse() - empty;
        for (int n = 1; n < CAdrHistory::kMaxSnapshots; ++n) {
            history.Begin();
            history.Store(changedMember(history, n));
            history.Commit();
        }
        const size_t ten = heapInUse() - empty;
        if (history.GetSnapshotCount() != CAdrHistory::kMaxSnapshots) state.SkipWithError("snapshots missing");
        state.counters["one_snapshot_bytes"] = static_cast<double>(one);
        state.counters["ten_snapshots_bytes"] = static_cast<double>(ten);
        state.counters["ten_over_one"] = static_cast<double>(ten) / static_cast<double>(one);
    }
}
BENCHMARK(BM_HistoryOfTenSnapshots)->Iterations(1)->Unit(benchmark::kMillisecond);

// One edit step from begin to commit on the full data set.
void BM_EditStep(benchmark::State &state) {
    CAdrHistory history;
    history.Begin();
    history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, bench::fullDataSet());
    history.Commit();
    int n = 0;
    for (auto _ : state) {
        history.Begin();
        history.Store(changedMember(history, n++ % 10 + 1));
        history.Commit();
    }
}
BENCHMARK(BM_EditStep)->Unit(benchmark::kMicrosecond);

}  // namespace
