// Makes the entry list for the main frame's upper right pane.
#pragma once

#include "ui/list_pane.h"

#include <memory>

class CLinquaraDoc;
class CLqaDetailView;
class CLqaListHost;
class QWidget;

[[nodiscard]] std::unique_ptr<CLqaListPane> CreateEntryList(CLinquaraDoc &doc, CLqaListHost &host,
                                                            CLqaDetailView &detail, QWidget *parent);
