#include "import/csv_column_mapping.h"

#include <algorithm>

namespace abif {

void CCsvColumnMapping::toggle(int field, int selectedColumn) {
    int &own = columns_[static_cast<size_t>(field)];
    if (own != kUnassigned) {
        own = kUnassigned;
        return;
    }
    if (selectedColumn < 0) return;
    std::replace(columns_.begin(), columns_.end(), selectedColumn, kUnassigned);
    own = selectedColumn;
}

QList<int> CCsvColumnMapping::missingRequired() const {
    QList<int> missing;
    for (int field = 0; field < kRequiredImportFields; ++field)
        if (!isAssigned(field)) missing << field;
    return missing;
}

}  // namespace abif
