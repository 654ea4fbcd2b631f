// What the detail pane shows for one entry: caption and value lines taken
// in pairs, built from the data set for a list row code.
#pragma once

#include "model/adr_data.h"

#include <QStringList>

#include <optional>

struct CLqaDetailContent {
    quint32 kind = 0;  // the row code's kind bits
    QStringList lines;  // caption, value, caption, value, ...
    friend bool operator==(const CLqaDetailContent &, const CLqaDetailContent &) = default;
};

// The lines of the entry named by `rowCode`; nothing when the data set has
// no such entry or the code names no kind the pane shows.
[[nodiscard]] std::optional<CLqaDetailContent> DetailContentFor(const CAdrData &data, quint32 rowCode);
