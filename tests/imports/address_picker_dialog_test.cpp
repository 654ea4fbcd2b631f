// The address selection dialog, driven as a person would.
#include "import/address_picker_dialog.h"
#include "import/contact_book.h"
#include "l10n/library_strings.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "model/qt_print.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kEnglish = 1033;

abif::ContactBook sampleBook() {
    abif::ContactBook book;
    book.addVCards(abif::readVCards("BEGIN:VCARD\r\nUID:a\r\nFN:Anna Lee\r\nEND:VCARD\r\n"
                                    "BEGIN:VCARD\r\nUID:b\r\nFN:Bob Stone\r\nEND:VCARD\r\n"
                                    "BEGIN:VCARD\r\nKIND:group\r\nFN:Sales Team\r\nMEMBER:a\r\nEND:VCARD\r\n"));
    return book;
}

QStringList namesOf(const QList<abif::AddressEntry> &entries) {
    QStringList names;
    for (const abif::AddressEntry &entry : entries) names << entry.displayName;
    return names;
}

QStringList visibleRows(const QListWidget *list) {
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden()) rows << list->item(row)->text();
    return rows;
}

TEST(AddressPickerDialog, carriesTheCaptions) {
    const abif::ContactBook book = sampleBook();
    abif::CAddressPickerDlg dialog(book, kEnglish);
    EXPECT_EQ(dialog.windowTitle(), u"Import to Address Book"_qs);
    EXPECT_TRUE(dialog.findChild<QPushButton *>(u"select"_qs)->text().startsWith(u"Select"_qs));
}

TEST(AddressPickerDialog, findNarrowsTheListAndSelectFillsTheWell) {
    const abif::ContactBook book = sampleBook();
    abif::CAddressPickerDlg dialog(book, kEnglish);
    dialog.show();
    auto *find = dialog.findChild<QLineEdit *>(u"find"_qs);
    auto *list = dialog.findChild<QListWidget *>(u"book"_qs);
    auto *select = dialog.findChild<QPushButton *>(u"select"_qs);
    EXPECT_EQ(visibleRows(list), (QStringList{u"Anna Lee"_qs, u"Bob Stone"_qs, u"Sales Team"_qs}));
    EXPECT_FALSE(select->isEnabled());

    QTest::keyClicks(find, u"st"_qs);
    EXPECT_EQ(visibleRows(list), QStringList{u"Bob Stone"_qs});
    list->findItems(u"Bob Stone"_qs, Qt::MatchExactly).first()->setSelected(true);
    QTest::mouseClick(select, Qt::LeftButton);

    find->clear();
    for (const char *name : {"Sales Team", "Anna Lee"})
        list->findItems(QString::fromLatin1(name), Qt::MatchExactly).first()->setSelected(true);
    QTest::mouseClick(select, Qt::LeftButton);
    EXPECT_EQ(namesOf(dialog.picked()), (QStringList{u"Bob Stone"_qs, u"Anna Lee"_qs, u"Sales Team"_qs}));
    EXPECT_EQ(dialog.picked().last().type, abif::AddressObjectType::DistList);
}

}  // namespace
