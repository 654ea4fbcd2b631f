// The entry list's rows over the document's current snapshot: one row code
// per row, the cells read from the entry that code names whenever they are
// asked for. Columns are the document's displayed columns in display order.
#pragma once

#include "model/adr_data.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include <vector>

class CLinquaraDoc;

// The row codes' kind bits a tree node lists.
[[nodiscard]] quint32 LqaNodeRowKinds(int nodeType);

class CLqaListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CLqaListModel(const CLinquaraDoc &doc, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The displayed column numbers; cells follow them at once.
    void SetColumns(const QList<quint16> &numbers);
    [[nodiscard]] const QList<quint16> &Columns() const { return m_columns; }
    // The node decides two column titles.
    void SetNodeType(int nodeType);

    // All rows of `rowKinds` from the current snapshot in the book's order,
    // sorted by `sortColumn` (-1 keeps that order), then only those that
    // `searchText` keeps.
    void Rebuild(quint32 rowKinds, int sortColumn, bool ascending, const QString &searchText);
    // Rows of entries that differ between the two: changed ones in place,
    // new ones (of `rowKinds`) at the end, gone ones removed.
    void Apply(const CAdrData &before, const CAdrData &after, quint32 rowKinds);
    // Reorders the rows by the column's comparison; selections follow their rows.
    void Sort(quint16 columnNumber, bool ascending);

    [[nodiscard]] quint32 Code(int row) const { return m_rows.at(static_cast<size_t>(row)); }
    [[nodiscard]] int RowOf(quint32 code) const;
    [[nodiscard]] QString CellText(int row, quint16 columnNumber) const;
    // The texts of the displayed columns in display order.
    [[nodiscard]] QStringList RowTexts(int row) const;

    // The row drawn as the target of a drag, 0 for none.
    void SetDropTarget(quint32 code);

private:
    [[nodiscard]] const CAdrData *Data() const;
    void EmitRowChanged(int row);

    const CLinquaraDoc &m_doc;
    std::vector<quint32> m_rows;
    QList<quint16> m_columns;
    int m_nodeType = 0;
    quint32 m_dropTarget = 0;
    QIcon m_faxIcon;
    QIcon m_pcFaxIcon;
    QIcon m_groupIcon;
};
