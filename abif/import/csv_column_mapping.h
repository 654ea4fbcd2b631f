// Which CSV column fills which field of an imported record. A column fills
// one field at most.
#pragma once

#include "import/import_kinds.h"

#include <QList>

#include <array>

namespace abif {

class CCsvColumnMapping {
public:
    static constexpr int kUnassigned = -1;

    [[nodiscard]] int column(int field) const { return columns_[static_cast<size_t>(field)]; }
    [[nodiscard]] bool isAssigned(int field) const { return column(field) != kUnassigned; }

    // What the field's button does: a field that has a column loses it;
    // otherwise it takes `selectedColumn`, away from any other field that
    // had it. A negative `selectedColumn` (nothing selected) changes nothing.
    void toggle(int field, int selectedColumn);
    void clear() { columns_.fill(kUnassigned); }

    // The required fields still without a column, in field order.
    [[nodiscard]] QList<int> missingRequired() const;

    friend bool operator==(const CCsvColumnMapping &, const CCsvColumnMapping &) = default;

private:
    std::array<int, kImportFieldCount> columns_{kUnassigned, kUnassigned, kUnassigned, kUnassigned};
};

}  // namespace abif
