// The search over the rows of the list: the step to the next matching row
// for the search dialog and the search bar's filter.
#pragma once

#include "ui/search_target.h"

// The searched cells of a row: every displayed column from the third on.
[[nodiscard]] QStringList SearchedCells(const QStringList &rowTexts);

// Selects the next row after (down) or before (up) the first selected row
// whose searched cells match the request's words; true when one was found.
bool FindNext(CLqaSearchTarget &target, const CLqaSearchRequest &request);

// Whether the search bar's text keeps a row: some searched cell starts with
// the whole text, in any case. An empty text keeps every row.
[[nodiscard]] bool SearchBarKeepsRow(const QStringList &rowTexts, const QString &searchText);
