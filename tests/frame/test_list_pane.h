// A small entry list for the frame's tests: it lists the names and numbers
// of the selected node's book, and counts what the frame asks of it.
#pragma once

#include "document/linquara_doc.h"
#include "ui/list_host.h"
#include "ui/list_pane.h"

#include <QTreeWidget>

namespace test {

class TestListPane : public CLqaListPane {
public:
    TestListPane(CLinquaraDoc &doc, CLqaListHost &host, QWidget *parent)
        : m_doc(doc), m_host(host), m_rows(new QTreeWidget(parent)) {
        m_rows->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Fax Number")});
        m_rows->setRootIsDecorated(false);
        m_rows->setColumnWidth(0, 220);
    }

    QWidget *Widget() override { return m_rows; }

    void RefreshList() override {
        ++refreshes;
        searchTexts << m_host.SearchBarText();
        m_rows->clear();
        const CAdrData *data = m_doc.GetData();
        if (!data) return;
        const int node = m_host.SelectedNodeType();
        refreshedNodes << node;
        const bool machine = node == LqaNodeAddressBooks || node == LqaNodeMachineBook || node == LqaNodeMachineFax;
        const bool pcFax = node == LqaNodeAddressBooks || node == LqaNodePcFaxBook;
        auto add = [this](const auto &entry) {
            new QTreeWidgetItem(m_rows, {entry.GetName(), entry.GetFaxNumber()});
        };
        if (machine) data->Map<CAdrMemberAioFax>().ForEach(add);
        if (pcFax) data->Map<CAdrMemberPcFax>().ForEach(add);
    }

    [[nodiscard]] QList<quint32> GetSelectedCodes() const override { return selected; }
    void SelectAll() override { ++selectAlls; }
    void OpenSearch() override { ++searches; }
    void CustomizeView() override { ++customizations; }
    [[nodiscard]] bool IsDragging() const override { return dragging; }
    void CancelDrag() override {
        dragging = false;
        ++cancelledDrags;
    }
    [[nodiscard]] QList<QAction *> SortActions() override { return {}; }

    [[nodiscard]] int rowCount() const { return m_rows->topLevelItemCount(); }

    QList<quint32> selected;
    bool dragging = false;
    int refreshes = 0;
    QList<int> refreshedNodes;  // the selected node as each refresh saw it
    int selectAlls = 0;
    int searches = 0;
    int customizations = 0;
    int cancelledDrags = 0;
    QStringList searchTexts;

private:
    CLinquaraDoc &m_doc;
    CLqaListHost &m_host;
    QTreeWidget *m_rows;
};

}  // namespace test
