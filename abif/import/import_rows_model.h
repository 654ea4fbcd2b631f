// Rows of one record kind of a container, as the import's lists show them:
// the kind's fields as columns and the kind's icon on each row. The rows
// shown are a list of record indexes, so that two lists can share one
// container and large files cost nothing until a row is painted.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <vector>

struct CAbifData;

namespace abif {

class CImportRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `data` must outlive the model. Shows every record of the kind.
    CImportRowsModel(const CAbifData &data, int32_t destination, int32_t language, QObject *parent = nullptr);

    // Shows the records at `rows`, in that order.
    void setRows(std::vector<int> rows);
    // Shows every record of the kind, in container order.
    void showAll();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The widths the lists start with, per column.
    [[nodiscard]] std::vector<int> columnWidths() const;

private:
    [[nodiscard]] QString cellText(int record, int column) const;

    const CAbifData &data_;
    const int32_t destination_;
    QStringList titles_;
    QIcon icon_;
    std::vector<int> rows_;
};

}  // namespace abif
