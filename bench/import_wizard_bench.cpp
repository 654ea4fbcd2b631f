// The import of a CSV file of 100,000 rows under the offscreen platform:
// reading the rows, opening the row selection with every row highlighted
// until it is painted, and moving all of them to the chosen list and back.
#include "core/abif_data.h"
#include "core/record_text.h"
#include "import/csv_import.h"
#include "import/import_kinds.h"
#include "import/import_sel_line_dlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;

struct BookFile {
    BookFile() {
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly)) return;
        file.write("Name,Fax Number,Company,Note\r\n");
        for (int i = 0; i < kRows; ++i) {
            const QByteArray n = QByteArray::number(i);
            file.write("Person " + n + ",030-55" + n + ",\"Company, " + n + "\",note " + n + "\r\n");
        }
    }
    [[nodiscard]] QString path() const { return dir.filePath(QStringLiteral("book.csv")); }
    QTemporaryDir dir;
};

abif::CsvReading pcFaxReading(const BookFile &book) {
    abif::CsvReading reading{book.path(), abif::DestinationPcFax, {}, true};
    for (int field = 0; field < 4; ++field) reading.mapping.toggle(field, field);
    return reading;
}

void BM_ReadCsvAll(benchmark::State &state) {
    const BookFile book;
    CAbifData parsed;
    for (auto _ : state) {
        if (abif::ReadCsvAll(pcFaxReading(book), parsed) != ABIF_OK) state.SkipWithError("read failed");
    }
    state.counters["rows"] = parsed.array<CAbifMyFaxData>().count();
}

const CAbifData &parsedBook() {
    static const CAbifData parsed = [] {
        const BookFile book;
        CAbifData data;
        abif::ReadCsvAll(pcFaxReading(book), data);
        return data;
    }();
    return parsed;
}

void BM_OpenRowSelection(benchmark::State &state) {
    const CAbifData &parsed = parsedBook();
    const std::vector<int> marks(static_cast<size_t>(parsed.array<CAbifMyFaxData>().count()), 0);
    CAbifData result;
    result.array<CAbifMyFaxData>().setLimit(ABIF_LIMIT_UNLIMITED);
    for (auto _ : state) {
        abif::CImportSelLineDlg dialog(parsed, abif::DestinationPcFax, ABIF_LIMIT_UNLIMITED, marks,
                                       abif::kImportHighlightCandidates, result, 1033);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("not shown");
        QApplication::processEvents();
    }
}

void BM_MoveAllRowsAndBack(benchmark::State &state) {
    const CAbifData &parsed = parsedBook();
    const std::vector<int> marks(static_cast<size_t>(parsed.array<CAbifMyFaxData>().count()), 0);
    CAbifData result;
    abif::CImportSelLineDlg dialog(parsed, abif::DestinationPcFax, ABIF_LIMIT_UNLIMITED, marks,
                                   abif::kImportHighlightCandidates, result, 1033);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("not shown");
    for (auto _ : state) {
        dialog.addHighlighted();
        QApplication::processEvents();
        dialog.removeHighlighted();
        QApplication::processEvents();
        state.PauseTiming();
        dialog.findChild<QAbstractItemView *>(QStringLiteral("candidates"))->selectAll();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_ReadCsvAll)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenRowSelection)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MoveAllRowsAndBack)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
