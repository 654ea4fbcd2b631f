#include "import/import_rows_model.h"

#include "core/abif_data.h"
#include "core/record_text.h"
#include "import/csv_import.h"
#include "import/import_icons.h"
#include "import/import_kinds.h"
#include "l10n/library_strings.h"

#include <numeric>

namespace abif {

namespace {

QStringList fieldsOf(const CAbifFaxData &r) {
    return {readQString(r.name, sizeof r.name), readQString(r.faxNumber, sizeof r.faxNumber)};
}

QStringList fieldsOf(const CAbifEMailData &r) {
    return {readQString(r.name, sizeof r.name), readQString(r.emailAddress, sizeof r.emailAddress)};
}

QStringList fieldsOf(const CAbifMyFaxData &r) {
    return {readQString(r.name, sizeof r.name), readQString(r.faxNumber, sizeof r.faxNumber),
            readQString(r.company, sizeof r.company), readQString(r.note, sizeof r.note)};
}

int recordCount(const CAbifData &data, int32_t destination) {
    return withDestinationRecord(destination, [&](auto record) { return data.array<decltype(record)>().count(); });
}

}  // namespace

CImportRowsModel::CImportRowsModel(const CAbifData &data, int32_t destination, int32_t language, QObject *parent)
    : QAbstractTableModel(parent), data_(data), destination_(normalisedDestination(destination)),
      icon_(importKindIcon(destination_)) {
    switch (destination_) {
    case DestinationPcFax:
        for (int id : {ids::Name, ids::FaxNumber, ids::CompanyName, ids::Note}) titles_ << loadString(id, language);
        break;
    case DestinationEmail: titles_ = {loadString(ids::Name, language), loadString(ids::EmailAddress, language)}; break;
    default: titles_ = {loadString(ids::Name, language), loadString(ids::FaxNumber, language)}; break;
    }
    showAll();
}

void CImportRowsModel::setRows(std::vector<int> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void CImportRowsModel::showAll() {
    std::vector<int> all(static_cast<size_t>(recordCount(data_, destination_)));
    std::iota(all.begin(), all.end(), 0);
    setRows(std::move(all));
}

int CImportRowsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CImportRowsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QString CImportRowsModel::cellText(int record, int column) const {
    return withDestinationRecord(destination_, [&](auto kind) {
        const auto &array = data_.array<decltype(kind)>();
        if (record < 0 || record >= array.count()) return QString();
        return singleLine(fieldsOf(array.at(record)).value(column));
    });
}

QVariant CImportRowsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) return cellText(rows_[static_cast<size_t>(index.row())], index.column());
    if (role == Qt::DecorationRole && index.column() == 0) return icon_;
    return {};
}

QVariant CImportRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return titles_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::vector<int> CImportRowsModel::columnWidths() const {
    if (destination_ == DestinationPcFax) return {150, 150, 100, 100};
    return {150, 150};
}

}  // namespace abif
