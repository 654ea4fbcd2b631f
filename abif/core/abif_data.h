// The record container handed across the library boundary.
#pragma once

#include "core/record_array.h"

#include <tuple>

struct CAbifData {
    CAbifData() = default;
    virtual ~CAbifData() = default;
    CAbifData(const CAbifData &) = default;
    CAbifData &operator=(const CAbifData &) = default;

    // Kinds in container order; every all-kinds operation visits them so.
    std::tuple<abif::RecordArray<CAbifMyFaxData>, abif::RecordArray<CAbifMyFaxGroupData>,
               abif::RecordArray<CAbifFaxData>, abif::RecordArray<CAbifFaxGroupData>,
               abif::RecordArray<CAbifEMailData>, abif::RecordArray<CAbifEMailGroupData>,
               abif::RecordArray<CAbifServerAddressData>, abif::RecordArray<CAbifEMailSubjectData>,
               abif::RecordArray<CAbifEMailBodyData>>
        arrays;

    template <class Record> abif::RecordArray<Record> &array() {
        return std::get<abif::RecordArray<Record>>(arrays);
    }
    template <class Record> const abif::RecordArray<Record> &array() const {
        return std::get<abif::RecordArray<Record>>(arrays);
    }

    void clearAll();
    // Appends every kind of `source`; false when any kind stopped at its limit.
    bool appendAll(const CAbifData &source);
    void normalise();
    [[nodiscard]] bool isNormalised() const;
};

namespace abif {

// A sorted copy for writers and comparisons; the caller's container is left
// as it was. The copy keeps the caller's limits, so a container whose limits
// were raised is viewed whole: no record is dropped on the way.
[[nodiscard]] CAbifData normalisedView(const CAbifData &data);

// Same records for every kind chosen by `kindMask` (ABIF_KIND_* bits).
[[nodiscard]] bool equalByKinds(const CAbifData &a, const CAbifData &b, uint32_t kindMask);

}  // namespace abif
