// The entry list with both books full (99 speed dials, 6 fax groups,
// 20 email addresses, 10 email groups, 500 PC fax members and 500 PC fax
// groups: 1,135 rows) under the offscreen platform: a full refresh and a
// sort by Name, each with the painting that follows.
#include "connection/connection_dialogs.h"
#include "document/linquara_doc.h"
#include "model_full_data.h"
#include "sharefolder/fake_share_service.h"
#include "support/scripted_prompt.h"
#include "ui/detail_view.h"
#include "ui/list_host.h"
#include "ui/list_model.h"
#include "ui/list_view.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class NoDialogs : public ConnectionDialogs {
public:
    bool ChooseMethod(ConnectionContext &) override { return false; }
    bool ShowCaution() override { return false; }
};

class AllBooksHost : public CLqaListHost {
public:
    [[nodiscard]] int SelectedNodeType() const override { return LqaNodeAddressBooks; }
    void SelectNode(int) override {}
    [[nodiscard]] QString SearchBarText() const override { return {}; }
    [[nodiscard]] int TreeNodeAt(const QPoint &) const override { return 0; }
    void HighlightTreeNode(int) override {}
    void AddNewItems(QMenu &, int) override {}
};

// A document whose only snapshot holds the full data set, and a shown list over it.
struct FullList {
    FullList() : doc(DocumentServices{prompt, dialogs, shares, home.filePath(QStringLiteral("Data.dat"))}) {
        CAdrHistory &history = doc.History();
        history.Begin();
        history.BringIn(CAdrHistory::kAllKinds, CAdrHistory::BringInPlain, bench::fullDataSet());
        history.Commit();
        list.resize(900, 600);
        list.show();
        list.RefreshList();
        QApplication::processEvents();
    }

    QTemporaryDir home;
    ScriptedPrompt prompt;
    NoDialogs dialogs;
    FakeShareService shares;
    CLinquaraDoc doc;
    AllBooksHost host;
    CLqaDetailView detail;
    CLqaListView list{doc, host, detail};
};

void BM_RefreshBothBooksFull(benchmark::State &state) {
    FullList full;
    for (auto _ : state) {
        full.list.RefreshList();
        QApplication::processEvents();  // the list lays out and paints the new rows
        benchmark::DoNotOptimize(full.list.Model().rowCount());
    }
    state.counters["rows"] = full.list.Model().rowCount();
}
BENCHMARK(BM_RefreshBothBooksFull)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortByName(benchmark::State &state) {
    FullList full;
    const int name = static_cast<int>(full.list.Model().Columns().indexOf(LqaColumnName));
    for (auto _ : state) {
        full.list.SortByColumn(name);  // alternates ascending and descending
        QApplication::processEvents();
        benchmark::DoNotOptimize(full.list.Model().Code(0));
    }
    state.counters["rows"] = full.list.Model().rowCount();
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
