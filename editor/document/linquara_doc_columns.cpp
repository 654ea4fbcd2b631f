#include "document/linquara_doc_columns.h"

#include "document/linquara_doc_last_file.h"
#include "text/editor_text.h"

#include <QtEndian>

namespace {

const QString kColumnData = QStringLiteral("ColumnData");
constexpr qsizetype kRecordSize = 8;
// Wider than any screen: a stored width beyond it is damage, not a choice.
constexpr qint32 kMaxWidth = 20000;

struct ColumnDefault {
    int titleId;
    qint32 width;
};

constexpr ColumnDefault kDefaults[CLqaColumnModel::kColumnCount] = {
    {lqa::ids::TitleType, 25},         {lqa::ids::TitleMemberGroup, 25},  {lqa::ids::TitleId, 70},
    {lqa::ids::TitleName, 150},        {lqa::ids::TitleMemberGroupInfo, 150}, {lqa::ids::TitleUpdatedOn, 150},
    {lqa::ids::TitleFaxNumber, 150},
};

const QList<quint16> kDefaultDisplayed = {LqaColumnType, LqaColumnMemberGroup, LqaColumnId, LqaColumnName,
                                          LqaColumnInfo, LqaColumnUpdatedOn};

}  // namespace

CLqaColumnModel::CLqaColumnModel() { Reset(); }

void CLqaColumnModel::Reset() {
    m_columns.clear();
    for (quint16 number = 0; number < kColumnCount; ++number)
        m_columns.append({number, kDefaults[number].width, lqa::loadText(kDefaults[number].titleId)});
    m_displayed = kDefaultDisplayed;
}

void CLqaColumnModel::SetDisplayed(const QList<quint16> &numbers) {
    QList<quint16> displayed = {LqaColumnType, LqaColumnMemberGroup};
    for (quint16 number : numbers)
        if (number < kColumnCount && !displayed.contains(number)) displayed.append(number);
    m_displayed = displayed;
}

void CLqaColumnModel::SetWidth(quint16 number, qint32 width) {
    if (number >= kColumnCount) return;
    m_columns[number].width = width >= 0 && width <= kMaxWidth ? width : kDefaults[number].width;
}

QByteArray CLqaColumnModel::ToBytes() const {
    QByteArray bytes(m_displayed.size() * kRecordSize, '\0');
    char *at = bytes.data();
    for (quint16 number : m_displayed) {
        qToLittleEndian<quint16>(number, at);
        qToLittleEndian<qint32>(m_columns.at(number).width, at + 4);
        at += kRecordSize;
    }
    return bytes;
}

bool CLqaColumnModel::FromBytes(const QByteArray &bytes) {
    QList<quint16> numbers;
    QList<qint32> widths;
    for (qsizetype at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
        const quint16 number = qFromLittleEndian<quint16>(bytes.constData() + at);
        if (number >= kColumnCount || numbers.contains(number)) continue;
        numbers.append(number);
        widths.append(qFromLittleEndian<qint32>(bytes.constData() + at + 4));
    }
    if (numbers.isEmpty()) return false;
    for (qsizetype i = 0; i < numbers.size(); ++i) SetWidth(numbers[i], widths[i]);
    SetDisplayed(numbers);
    return true;
}

void CLqaColumnModel::Load() {
    Reset();
    FromBytes(EditorSettings().value(kColumnData).toByteArray());
}

void CLqaColumnModel::Save() const {
    QSettings settings = EditorSettings();
    settings.setValue(kColumnData, ToBytes());
    settings.sync();
}
