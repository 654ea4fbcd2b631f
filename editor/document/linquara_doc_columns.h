// The entry list's columns as the document keeps them: every column's width
// and title, and which columns the list shows in which order. Kept between
// sessions as "ColumnData".
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One list column; `number` names it whatever its place.
struct LqaColumnData {
    quint16 number = 0;
    qint32 width = 0;
    QString title;
};

enum LqaColumn : quint16 {
    LqaColumnType = 0,
    LqaColumnMemberGroup = 1,
    LqaColumnId = 2,
    LqaColumnName = 3,
    LqaColumnInfo = 4,
    LqaColumnUpdatedOn = 5,
    LqaColumnFaxNumber = 6,
};

class CLqaColumnModel {
public:
    static constexpr int kColumnCount = 7;
    // Type and Member/Group are always shown, first and second.
    static constexpr int kFixedColumns = 2;

    CLqaColumnModel();

    // All columns, indexed by number.
    [[nodiscard]] const QList<LqaColumnData> &Columns() const { return m_columns; }
    [[nodiscard]] const LqaColumnData &Column(quint16 number) const { return m_columns.at(number); }
    // The shown columns' numbers in display order.
    [[nodiscard]] const QList<quint16> &Displayed() const { return m_displayed; }
    [[nodiscard]] bool IsDisplayed(quint16 number) const { return m_displayed.contains(number); }

    // Takes `numbers` as the new order: unknown and repeated numbers are
    // dropped, and the two fixed columns are put first whatever was given.
    void SetDisplayed(const QList<quint16> &numbers);
    // Widths below zero or beyond any screen are taken as the default.
    void SetWidth(quint16 number, qint32 width);
    // The default columns, order and widths.
    void Reset();

    // The stored form: per shown column in display order, 16-bit number,
    // 16 bits of padding, 32-bit width, little-endian.
    [[nodiscard]] QByteArray ToBytes() const;
    // False, leaving the model as it was, when `bytes` names no usable column.
    bool FromBytes(const QByteArray &bytes);

    // The user's stored columns, or the defaults.
    void Load();
    void Save() const;

private:
    QList<LqaColumnData> m_columns;
    QList<quint16> m_displayed;
};
