#include "ui/list_model.h"

#include "document/linquara_doc.h"
#include "document/linquara_doc_columns.h"
#include "text/editor_text.h"
#include "ui/list_host.h"
#include "ui/list_search.h"
#include "ui/program_icons.h"
#include "ui/row_code.h"

#include <QCollator>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

const QColor kChangedBackground(255, 255, 153);

// Calls f(entry) with the entry the row code names, when it exists.
template <class F>
void withEntry(const CAdrData &data, quint32 code, F &&f) {
    const quint16 id = LqaRowId(code);
    auto call = [&](const auto *entry) {
        if (entry) f(*entry);
    };
    switch (LqaRowKind(code)) {
    case AdrKindAioFax: call(data.Map<CAdrMemberAioFax>().Lookup(id)); break;
    case AdrKindAioEmail: call(data.Map<CAdrMemberAioEmail>().Lookup(id)); break;
    case AdrKindPcFax: call(data.Map<CAdrMemberPcFax>().Lookup(id)); break;
    case AdrKindAioFaxGroup: call(data.Map<CAdrGroupAioFax>().Lookup(id)); break;
    case AdrKindAioEmailGroup: call(data.Map<CAdrGroupAioEmail>().Lookup(id)); break;
    case AdrKindPcFaxGroup: call(data.Map<CAdrGroupPcFax>().Lookup(id)); break;
    default: break;
    }
}

// Members and groups in the order a refresh lists them.
template <class F>
void forEachListedKind(F &&f) {
    f.template operator()<CAdrMemberAioFax>();
    f.template operator()<CAdrGroupAioFax>();
    f.template operator()<CAdrMemberAioEmail>();
    f.template operator()<CAdrGroupAioEmail>();
    f.template operator()<CAdrMemberPcFax>();
    f.template operator()<CAdrGroupPcFax>();
}

bool isPcFax(quint32 code) { return (LqaRowKindBits(code) & (kLqaPcFaxMemberBits | kLqaPcFaxGroupBits)) != 0; }
bool isGroup(quint32 code) { return (code & kLqaGroupKindBits) != 0; }
bool isEmail(quint32 code) { return (LqaRowKindBits(code) & (kLqaEmailMemberBits | kLqaEmailGroupBits)) != 0; }

QString indented(int textId) { return lqa::loadText(lqa::ids::TextListIndent) + lqa::loadText(textId); }

QString typeText(quint32 code) {
    if (isPcFax(code)) return indented(lqa::ids::TextPcFaxBook);
    return indented(isEmail(code) ? lqa::ids::TextEmail : lqa::ids::TextFax);
}

template <class Entry>
QString infoText(const Entry &entry) {
    if constexpr (requires { entry.GetMemberCountText(); })
        return entry.GetMemberCountText();
    else if constexpr (requires { entry.GetEmailAddress(); })
        return entry.GetEmailAddress();
    else
        return entry.GetFaxNumber();
}

template <class Entry>
QString cellText(const Entry &entry, quint32 code, quint16 column) {
    switch (column) {
    case LqaColumnType: return typeText(code);
    case LqaColumnMemberGroup: return isGroup(code) ? indented(lqa::ids::TextGroup) : QString();
    case LqaColumnId: return isPcFax(code) ? QString() : entry.GetIDString();
    case LqaColumnName: return entry.GetName();
    case LqaColumnInfo: return infoText(entry);
    case LqaColumnUpdatedOn:
        if constexpr (requires { entry.GetUpdatedOnText(); }) return entry.GetUpdatedOnText();
        return {};
    case LqaColumnFaxNumber:
        if constexpr (requires { entry.GetFaxNumber(); }) return entry.GetFaxNumber();
        return {};
    default: return {};
    }
}

// The book's place in the Type order: machine fax 0, email 1, server 2, PC fax 3.
int typeOrder(quint32 code) {
    if (isPcFax(code)) return 3;
    return isEmail(code) ? 1 : 0;
}

}  // namespace

quint32 LqaNodeRowKinds(int nodeType) {
    constexpr quint32 fax = kLqaFaxMemberBits | kLqaFaxGroupBits;
    constexpr quint32 email = kLqaEmailMemberBits | kLqaEmailGroupBits;
    constexpr quint32 pcFax = kLqaPcFaxMemberBits | kLqaPcFaxGroupBits;
    switch (nodeType) {
    case LqaNodeMachineBook: return fax | email;
    case LqaNodeMachineFax: return fax;
    case LqaNodeMachineEmail: return email;
    case LqaNodeMachineServer: return 0;  // servers are never listed
    case LqaNodePcFaxBook: return pcFax;
    default: return fax | email | pcFax;
    }
}

CLqaListModel::CLqaListModel(const CLinquaraDoc &doc, QObject *parent)
    : QAbstractTableModel(parent),
      m_doc(doc),
      m_columns(doc.Columns().Displayed()),
      m_faxIcon(lqa::treeIcon(lqa::TreeImage::Fax, true)),
      m_pcFaxIcon(lqa::treeIcon(lqa::TreeImage::PcFaxBook, true)),
      m_groupIcon(lqa::treeIcon(lqa::TreeImage::Group, true)) {}

const CAdrData *CLqaListModel::Data() const { return m_doc.GetData(); }

int CLqaListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CLqaListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_columns.size(); }

Qt::ItemFlags CLqaListModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QString CLqaListModel::CellText(int row, quint16 columnNumber) const {
    QString text;
    if (const CAdrData *data = Data()) {
        const quint32 code = Code(row);
        withEntry(*data, code, [&](const auto &entry) { text = cellText(entry, code, columnNumber); });
    }
    return text;
}

QStringList CLqaListModel::RowTexts(int row) const {
    QStringList texts;
    texts.reserve(m_columns.size());
    for (quint16 column : m_columns) texts << CellText(row, column);
    return texts;
}

QVariant CLqaListModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const quint32 code = Code(index.row());
    const quint16 column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole: return CellText(index.row(), column);
    case Qt::DecorationRole:
        if (column == LqaColumnType) return isPcFax(code) ? m_pcFaxIcon : m_faxIcon;
        if (column == LqaColumnMemberGroup && isGroup(code)) return m_groupIcon;
        return {};
    case Qt::BackgroundRole: {
        if (code == m_dropTarget) return QGuiApplication::palette().highlight();
        if (isEmail(code) || !Data()) return {};
        quint32 mark = 0;
        withEntry(*Data(), code, [&](const auto &entry) { mark = entry.GetChangeMark(); });
        return mark != 0 ? QVariant(kChangedBackground) : QVariant();
    }
    case Qt::ForegroundRole:
        if (code == m_dropTarget) return QGuiApplication::palette().highlightedText();
        return {};
    default: return {};
    }
}

QVariant CLqaListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) return {};
    const quint16 column = m_columns.at(section);
    if (role == Qt::DisplayRole) {
        if (column == LqaColumnType || column == LqaColumnMemberGroup) return {};  // pictures only
        if (column == LqaColumnId && m_nodeType == LqaNodeMachineFax) return lqa::loadText(lqa::ids::TitleSpeedDial);
        if (column == LqaColumnInfo && (m_nodeType == LqaNodeMachineFax || m_nodeType == LqaNodePcFaxBook))
            return lqa::loadText(lqa::ids::TitleFaxNumber);
        return m_doc.Columns().Column(column).title;
    }
    if (role == Qt::ToolTipRole) return m_doc.Columns().Column(column).title;
    if (role == Qt::DecorationRole) {
        if (column == LqaColumnType) return m_faxIcon;
        if (column == LqaColumnMemberGroup) return m_groupIcon;
    }
    return {};
}

void CLqaListModel::SetColumns(const QList<quint16> &numbers) {
    if (numbers == m_columns) return;
    const bool reorder = numbers.size() == m_columns.size() &&
                         std::is_permutation(numbers.begin(), numbers.end(), m_columns.begin());
    if (!reorder) {
        beginResetModel();
        m_columns = numbers;
        endResetModel();
        return;
    }
    // Only the order changed: selected cells keep their column.
    emit layoutAboutToBeChanged();
    const QList<quint16> old = std::exchange(m_columns, numbers);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &cell : from) to << index(cell.row(), static_cast<int>(m_columns.indexOf(old.at(cell.column()))));
    changePersistentIndexList(from, to);
    emit layoutChanged();
    emit headerDataChanged(Qt::Horizontal, 0, m_columns.size() - 1);
}

void CLqaListModel::SetNodeType(int nodeType) {
    if (nodeType == m_nodeType) return;
    m_nodeType = nodeType;
    if (!m_columns.isEmpty()) emit headerDataChanged(Qt::Horizontal, 0, m_columns.size() - 1);
}

int CLqaListModel::RowOf(quint32 code) const {
    const auto at = std::find(m_rows.begin(), m_rows.end(), code);
    return at == m_rows.end() ? -1 : static_cast<int>(at - m_rows.begin());
}

void CLqaListModel::EmitRowChanged(int row) {
    if (row >= 0 && !m_columns.isEmpty()) emit dataChanged(index(row, 0), index(row, m_columns.size() - 1));
}

void CLqaListModel::SetDropTarget(quint32 code) {
    if (code == m_dropTarget) return;
    const int before = m_dropTarget ? RowOf(m_dropTarget) : -1;
    m_dropTarget = code;
    EmitRowChanged(before);
    if (code) EmitRowChanged(RowOf(code));
}

void CLqaListModel::Rebuild(quint32 rowKinds, int sortColumn, bool ascending, const QString &searchText) {
    beginResetModel();
    m_rows.clear();
    m_dropTarget = 0;
    if (const CAdrData *data = Data()) {
        forEachListedKind([&]<class Entry>() {
            const quint32 kindBits = LqaRowCode(Entry::kKind, 0);
            if (!(rowKinds & kindBits)) return;
            data->Map<Entry>().ForEach([&](const Entry &entry) { m_rows.push_back(kindBits | entry.GetID()); });
        });
    }
    endResetModel();
    if (sortColumn >= 0) Sort(static_cast<quint16>(sortColumn), ascending);
    if (searchText.isEmpty()) return;
    beginResetModel();
    std::vector<quint32> kept;
    kept.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row)
        if (SearchBarKeepsRow(RowTexts(row), searchText)) kept.push_back(Code(row));
    m_rows = std::move(kept);
    endResetModel();
}

void CLqaListModel::Apply(const CAdrData &before, const CAdrData &after, quint32 rowKinds) {
    forEachListedKind([&]<class Entry>() {
        const CAdrMap<Entry> &old = before.Map<Entry>();
        const CAdrMap<Entry> &now = after.Map<Entry>();
        if (old.SharesAll(now)) return;
        const quint32 kindBits = LqaRowCode(Entry::kKind, 0);
        for (quint16 id = 1; id <= CAdrMap<Entry>::kMaxId; ++id) {
            if (now.SharesEntry(old, id)) continue;
            const quint32 code = kindBits | id;
            const int row = RowOf(code);
            if (!now.Lookup(id)) {
                if (row < 0) continue;
                beginRemoveRows({}, row, row);
                m_rows.erase(m_rows.begin() + row);
                endRemoveRows();
                if (code == m_dropTarget) m_dropTarget = 0;
            } else if (row >= 0) {
                EmitRowChanged(row);
            } else if (rowKinds & kindBits) {
                const int end = rowCount();
                beginInsertRows({}, end, end);
                m_rows.push_back(code);
                endInsertRows();
            }
        }
    });
}

void CLqaListModel::Sort(quint16 columnNumber, bool ascending) {
    const CAdrData *data = Data();
    if (!data || m_rows.size() < 2) return;
    const size_t count = m_rows.size();
    // One key per row; texts compare by the user's locale, case-sensitive,
    // with full-width and half-width forms alike.
    std::vector<qint64> numbers(count, 0);
    std::vector<QCollatorSortKey> texts;
    const bool byText = columnNumber == LqaColumnName || columnNumber == LqaColumnInfo ||
                        columnNumber == LqaColumnFaxNumber;
    if (byText) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseSensitive);
        texts.reserve(count);
        for (size_t i = 0; i < count; ++i)
            texts.push_back(collator.sortKey(
                CellText(static_cast<int>(i), columnNumber).normalized(QString::NormalizationForm_KC)));
    } else {
        for (size_t i = 0; i < count; ++i) {
            const quint32 code = m_rows[i];
            switch (columnNumber) {
            case LqaColumnType: numbers[i] = typeOrder(code); break;
            case LqaColumnMemberGroup: numbers[i] = isGroup(code) ? 1 : 0; break;
            case LqaColumnId: numbers[i] = isPcFax(code) ? 0 : LqaRowId(code); break;
            case LqaColumnUpdatedOn:
                withEntry(*data, code, [&](const auto &entry) {
                    if constexpr (requires { entry.GetUpdatedOn(); }) numbers[i] = entry.GetUpdatedOn();
                });
                break;
            default: break;
            }
        }
    }
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = byText ? texts[a].compare(texts[b]) : (numbers[a] < numbers[b] ? -1 : numbers[a] > numbers[b]);
        return ascending ? c < 0 : c > 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(count);
    std::vector<quint32> sorted(count);
    for (size_t i = 0; i < count; ++i) {
        sorted[i] = m_rows[order[i]];
        newRowOf[order[i]] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &old : from) to << index(newRowOf[static_cast<size_t>(old.row())], old.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
