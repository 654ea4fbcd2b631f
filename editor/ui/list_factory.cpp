#include "ui/list_factory.h"

#include "ui/list_view.h"

std::unique_ptr<CLqaListPane> CreateEntryList(CLinquaraDoc &doc, CLqaListHost &host, CLqaDetailView &detail,
                                              QWidget *parent) {
    return std::make_unique<CLqaListView>(doc, host, detail, parent);
}
