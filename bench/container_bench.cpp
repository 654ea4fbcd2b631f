// Normalising 100,000 shuffled PC fax members against a plain copy of the
// same bytes: sorting moves each record once, so the two stay close.
#include "core/abif_data.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

constexpr int kRecords = 100000;

std::vector<CAbifMyFaxData> shuffledMembers() {
    std::vector<CAbifMyFaxData> records(kRecords);
    std::mt19937 random(7);
    for (int i = 0; i < kRecords; ++i) {
        CAbifMyFaxData r{};
        r.id = static_cast<uint16_t>(i % 500 + 1);
        for (int k = 0; k < 20; ++k) r.name[k] = static_cast<char16_t>(u'A' + random() % 26);
        std::memcpy(r.faxNumber, u"0123456789", 20);
        records[static_cast<size_t>(i)] = r;
    }
    std::shuffle(records.begin(), records.end(), random);
    return records;
}

void BM_PlainCopy(benchmark::State &state) {
    const auto records = shuffledMembers();
    for (auto _ : state) {
        std::vector<CAbifMyFaxData> copy(records);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

void BM_NormaliseMyFax(benchmark::State &state) {
    const auto records = shuffledMembers();
    for (auto _ : state) {
        state.PauseTiming();
        CAbifData data;
        data.array<CAbifMyFaxData>().setLimit(-1);
        data.array<CAbifMyFaxData>().append(records);
        state.ResumeTiming();
        data.normalise();
        benchmark::DoNotOptimize(data.array<CAbifMyFaxData>().at(0));
    }
}
BENCHMARK(BM_NormaliseMyFax)->Unit(benchmark::kMillisecond);

}  // namespace
