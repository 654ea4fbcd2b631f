// Makes the entry list of the main window's upper right pane; the program
// hands it to the main frame.
#pragma once

#include "ui/list_pane.h"

#include <memory>

class CLinquaraDoc;
class CLqaDetailView;
class CLqaListHost;
class QWidget;

[[nodiscard]] std::unique_ptr<CLqaListPane> CreateEntryList(CLinquaraDoc &doc, CLqaListHost &host,
                                                            CLqaDetailView &detail, QWidget *parent);
