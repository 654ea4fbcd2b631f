// Reading and writing the largest PC fax address book (500 members with every
// field at its maximum, 500 groups of 30): in memory, and on disk with the
// lock and the atomic replacement.
#include "formats/gad_file.h"
#include "formats/gad_util.h"
#include "support/pc_fax_book.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

QByteArray serialisedBook() {
    CGADFile file;
    file.writeData(test::fullBook());
    return file.output();
}

void BM_SerialiseFullBook(benchmark::State &state) {
    const CAbifData book = test::fullBook();
    for (auto _ : state) {
        CGADFile file;
        benchmark::DoNotOptimize(file.writeData(book));
        benchmark::DoNotOptimize(file.output().size());
    }
}
BENCHMARK(BM_SerialiseFullBook)->Unit(benchmark::kMicrosecond);

void BM_ParseFullBook(benchmark::State &state) {
    const QByteArray bytes = serialisedBook();
    const std::span image(reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<size_t>(bytes.size()));
    CAbifData data;
    for (auto _ : state) {
        CGADFile file(image);
        benchmark::DoNotOptimize(file.readData(data));
    }
}
BENCHMARK(BM_ParseFullBook)->Unit(benchmark::kMicrosecond);

void BM_WriteFullBookFile(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.qad"));
    const CAbifData book = test::fullBook();
    for (auto _ : state) {
        if (CGADUtil::write(path, book) != ABIF_OK) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteFullBookFile)->Unit(benchmark::kMillisecond);

void BM_ReadFullBookFile(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.qad"));
    CGADUtil::write(path, test::fullBook());
    CAbifData data;
    for (auto _ : state) {
        if (CGADUtil::read(path, data) != ABIF_OK) state.SkipWithError("read failed");
    }
}
BENCHMARK(BM_ReadFullBookFile)->Unit(benchmark::kMillisecond);

}  // namespace
