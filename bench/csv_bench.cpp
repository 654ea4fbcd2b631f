// Reading a generated 50 MB UTF-8 CSV file of 1,000,000 rows record by
// record, and writing the same rows back as the export does (built in memory,
// then put in place of the file and synced to disk), in bytes_per_second of
// wall-clock time.
#include "formats/csv_file.h"
#include "formats/locked_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kDistinctRows = 1000;

// Rows of a real address book: plain, quoted and accented fields.
const std::vector<QStringList> &sampleRows() {
    static const std::vector<QStringList> rows = [] {
        std::vector<QStringList> result;
        for (int i = 0; i < kDistinctRows; ++i) {
            const QString n = QString::number(i);
            result.push_back({n, i % 3 == 0 ? "M\u00FCller, Anna " + n : "Jean Dupont " + n,
                              "030 55" + n.rightJustified(5, u'0'), n + "@example.org"});
        }
        return result;
    }();
    return rows;
}

void writeRows(CCSVFile &csv) {
    const auto &rows = sampleRows();
    for (int i = 0; i < kRows; ++i) csv.writeRecord(rows[static_cast<size_t>(i % kDistinctRows)]);
}

struct SampleFile {
    QTemporaryDir dir;
    QString path = dir.filePath("sample.csv");
    qint64 size = 0;
    SampleFile() {
        abif::MemorySink text;
        CCSVFile csv(text);
        csv.setEncoding(CCSVFile::EncodingUtf8);
        writeRows(csv);
        if (abif::writeWholeFile(path, text.bytes()) != 0) std::abort();
        size = QFile(path).size();
    }
};

const SampleFile &sampleFile() {
    static const SampleFile file;
    return file;
}

void BM_ReadCsvFile(benchmark::State &state) {
    const SampleFile &sample = sampleFile();
    for (auto _ : state) {
        abif::ByteSource source = abif::ByteSource::openFile(sample.path);
        CCSVFile csv(source);
        csv.detectEncoding();
        QStringList fields;
        int rows = 0;
        while (csv.readRecord(fields) >= 0) ++rows;
        if (rows != kRows) state.SkipWithError("wrong number of rows");
    }
    state.SetBytesProcessed(state.iterations() * sample.size);
    state.counters["MB"] = static_cast<double>(sample.size) / 1e6;
}
BENCHMARK(BM_ReadCsvFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteCsvFile(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("written.csv");
    for (auto _ : state) {
        abif::MemorySink text;
        CCSVFile csv(text);
        csv.setEncoding(CCSVFile::EncodingAnsi);
        writeRows(csv);
        if (abif::writeWholeFile(path, text.bytes()) != 0) state.SkipWithError("the file was not written");
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
    state.counters["MB"] = static_cast<double>(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_WriteCsvFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
