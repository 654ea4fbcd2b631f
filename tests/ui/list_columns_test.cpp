// The document's list columns: defaults, the stored "ColumnData" bytes and
// what a damaged value leaves.
#include "document/document_fixture.h"
#include "document/linquara_doc_columns.h"
#include "document/linquara_doc_last_file.h"

#include <QtEndian>

namespace {

QByteArray records(const QList<std::pair<quint16, qint32>> &columns) {
    QByteArray bytes;
    for (const auto &[number, width] : columns) {
        char record[8] = {};
        qToLittleEndian<quint16>(number, record);
        qToLittleEndian<qint32>(width, record + 4);
        bytes.append(record, sizeof record);
    }
    return bytes;
}

TEST(ListColumns, theDefaultsShowSixColumnsWithTheirWidthsAndTitles) {
    const CLqaColumnModel model;
    EXPECT_EQ(model.Displayed(), (QList<quint16>{0, 1, 2, 3, 4, 5}));
    const qint32 widths[] = {25, 25, 70, 150, 150, 150, 150};
    const int titles[] = {lqa::ids::TitleType,           lqa::ids::TitleMemberGroup, lqa::ids::TitleId,
                          lqa::ids::TitleName,           lqa::ids::TitleMemberGroupInfo, lqa::ids::TitleUpdatedOn,
                          lqa::ids::TitleFaxNumber};
    for (quint16 number = 0; number < CLqaColumnModel::kColumnCount; ++number) {
        EXPECT_EQ(model.Column(number).number, number);
        EXPECT_EQ(model.Column(number).width, widths[number]) << number;
        EXPECT_EQ(model.Column(number).title, lqa::loadText(titles[number])) << number;
    }
    EXPECT_EQ(model.ToBytes(), records({{0, 25}, {1, 25}, {2, 70}, {3, 150}, {4, 150}, {5, 150}}));
}

TEST(ListColumns, storedRecordsGiveTheOrderAndWidthsOfTheShownColumns) {
    CLqaColumnModel model;
    const QByteArray stored = records({{0, 30}, {1, 28}, {6, 120}, {3, 200}});
    ASSERT_TRUE(model.FromBytes(stored));
    EXPECT_EQ(model.Displayed(), (QList<quint16>{0, 1, 6, 3}));
    EXPECT_EQ(model.Column(6).width, 120);
    EXPECT_EQ(model.Column(2).width, 70) << "a hidden column keeps its width";
    EXPECT_EQ(model.ToBytes(), stored);
}

TEST(ListColumns, damagedRecordsAreMendedOrIgnored) {
    const struct {
        const char *what;
        QByteArray bytes;
        bool taken;
        QList<quint16> displayed;
    } cases[] = {
        {"empty", {}, false, {0, 1, 2, 3, 4, 5}},
        {"shorter than a record", QByteArray(5, '\1'), false, {0, 1, 2, 3, 4, 5}},
        {"only unknown numbers", records({{7, 10}, {300, 10}}), false, {0, 1, 2, 3, 4, 5}},
        {"fixed columns missing", records({{3, 100}, {2, 50}}), true, {0, 1, 3, 2}},
        {"fixed columns late", records({{3, 100}, {1, 20}, {0, 20}}), true, {0, 1, 3}},
        {"repeated and unknown numbers", records({{0, 25}, {1, 25}, {3, 90}, {3, 80}, {9, 1}}), true, {0, 1, 3}},
        {"a trailing partial record", records({{0, 25}, {1, 25}, {4, 99}}) + QByteArray(3, '\0'), true, {0, 1, 4}},
    };
    for (const auto &c : cases) {
        CLqaColumnModel model;
        EXPECT_EQ(model.FromBytes(c.bytes), c.taken) << c.what;
        EXPECT_EQ(model.Displayed(), c.displayed) << c.what;
    }
    CLqaColumnModel model;
    ASSERT_TRUE(model.FromBytes(records({{0, 25}, {1, 25}, {3, -5}, {4, 1'000'000}})));
    EXPECT_EQ(model.Column(3).width, 150) << "a negative width";
    EXPECT_EQ(model.Column(4).width, 150) << "a width beyond any screen";
    EXPECT_EQ(model.Column(3).number, 3);
}

using test::DocumentTest;

TEST_F(DocumentTest, theListColumnsAreKeptWhenTheDocumentClosesAndReadWhenOneIsMade) {
    EXPECT_EQ(doc->Columns().Displayed(), (QList<quint16>{0, 1, 2, 3, 4, 5}));
    doc->Columns().SetDisplayed({0, 1, 6, 3});
    doc->Columns().SetWidth(6, 111);
    doc->OnCloseDocument();
    EXPECT_EQ(EditorSettings().value(QStringLiteral("ColumnData")).toByteArray(),
              records({{0, 25}, {1, 25}, {6, 111}, {3, 150}}));

    CLinquaraDoc next(DocumentServices{prompt, dialogs, shares, file(QStringLiteral("Data.dat"))});
    EXPECT_EQ(next.Columns().Displayed(), (QList<quint16>{0, 1, 6, 3}));
    EXPECT_EQ(next.Columns().Column(6).width, 111);
}

}  // namespace
