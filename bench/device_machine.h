// A full machine behind the stand-in library for the device benchmarks: every
// speed dial slot used, every group listing every speed dial.
#pragma once

#include "abiflink.h"
#include "core/abif_data.h"
#include "core/live_containers.h"
#include "core/record_text.h"
#include "machine_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstdio>
#include <utility>

namespace bench {

class FullMachine {
public:
    FullMachine() {
        qputenv("QVS_STILIB", QVS_BENCH_STILIB);
        qputenv("QVS_MACHINE_DIR", QFile::encodeName(folder_.path()));
        qvs::MachineState state;
        std::vector<uint16_t> everyone;
        for (uint16_t id = 1; id <= state.faxCapacity; ++id) {
            state.fax[id] = {QStringLiteral("Speed Dial Entry %1").arg(id),
                             QStringLiteral("+44 20 7946 %1").arg(id, 4, 10, QChar(u'0'))};
            everyone.push_back(id);
        }
        for (uint16_t id = 1; id <= state.groupCapacity; ++id)
            state.groups[id] = {QStringLiteral("Group %1").arg(id), everyone};
        QString error;
        if (!qvs::MachineStore(folder_.path()).replace(state, error)) {
            std::fprintf(stderr, "cannot set the machine up: %s\n", qPrintable(error));
            std::abort();
        }
    }

private:
    QTemporaryDir folder_;
};

// A container made through the exports, as callers hold one, with the
// container behind the handle at hand for the direct measurements.
class Handle {
public:
    Handle() : handle_(ABIFData_Create()) {}
    ~Handle() { ABIFData_Delete(handle_); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    [[nodiscard]] CAbifData *get() const { return handle_; }
    [[nodiscard]] CAbifData &data() const { return *abif::checkedContainer(handle_); }
    friend void swap(Handle &a, Handle &b) noexcept { std::swap(a.handle_, b.handle_); }

private:
    CAbifData *handle_;
};

// The book as read, with speed dial 1's number switched, so that every
// update really writes.
inline void toggleFirstNumber(const CAbifData &read, CAbifData &changed, int round) {
    changed = read;
    CAbifFaxData first = changed.array<CAbifFaxData>().at(0);
    abif::writeText(first.faxNumber, sizeof first.faxNumber, round % 2 ? u"555 0001" : u"555 0002");
    changed.array<CAbifFaxData>().clear();
    changed.array<CAbifFaxData>().append(std::span(&first, 1));
    changed.array<CAbifFaxData>().append(read.array<CAbifFaxData>().records().subspan(1));
}

}  // namespace bench
