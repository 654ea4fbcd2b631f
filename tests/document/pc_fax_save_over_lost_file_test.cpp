// Saving the PC fax book over its file after someone else emptied or deleted
// it: the library asks first, and a save it made is a success with a fresh
// base, not a failure that leaves the book marked.
#include "document_fixture.h"

#include <QFile>

namespace {

enum class Lost { Emptied, Deleted };

class SavingOverALostFile : public test::DocumentTest, public testing::WithParamInterface<Lost> {
protected:
    // The book as opened holds Anna; Bernd is added, then the file is lost.
    QString openEditAndLose() {
        const QString office = file(QStringLiteral("office.qad"));
        writeBook(office, {QStringLiteral("Anna")});
        start({MethodOffline, {}, office, {}});
        edit(test::pcFax(2, QStringLiteral("Bernd")));
        if (GetParam() == Lost::Deleted) {
            EXPECT_TRUE(QFile::remove(office));
        } else {
            QFile emptied(office);
            EXPECT_TRUE(emptied.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        return office;
    }

    const std::vector<QString> overwriteQuestion{QStringLiteral("The file will be overwritten. Are you sure?")};
};

TEST_P(SavingOverALostFile, asksThenSavesClearsTheModifiedMarkAndKeepsAFreshBase) {
    const QString office = openEditAndLose();
    libraryPrompt.answers = {abif::MessageAnswer::Ok};
    EXPECT_EQ(doc->OnSavePcFax(), AdrIoOk);
    EXPECT_EQ(libraryPrompt.messages, overwriteQuestion);
    EXPECT_TRUE(prompt.shown.isEmpty()) << "a save that was made is no failure";
    EXPECT_FALSE(doc->IsPcFaxModified());
    EXPECT_EQ(namesInFile(office), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bernd")}));

    // The base is the file as written, so the next save has nothing to ask.
    libraryPrompt.messages.clear();
    edit(test::pcFax(3, QStringLiteral("Cem")));
    EXPECT_EQ(doc->OnSavePcFax(), AdrIoOk);
    EXPECT_TRUE(libraryPrompt.messages.empty());
    EXPECT_EQ(namesInFile(office).size(), 3);
}

TEST_P(SavingOverALostFile, declinedLeavesTheFileAndTheBookAsTheyWere) {
    const QString office = openEditAndLose();
    libraryPrompt.answers = {abif::MessageAnswer::Cancel};
    EXPECT_EQ(doc->OnSavePcFax(), AdrIoCancelled);
    EXPECT_EQ(libraryPrompt.messages, overwriteQuestion);
    EXPECT_TRUE(prompt.shown.isEmpty());
    EXPECT_TRUE(doc->IsPcFaxModified());
    EXPECT_EQ(QFile::exists(office), GetParam() == Lost::Emptied);
    EXPECT_EQ(QFileInfo(office).size(), 0);
    EXPECT_EQ(test::pcFaxNames(data()), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bernd")}));
}

INSTANTIATE_TEST_SUITE_P(Files, SavingOverALostFile, testing::Values(Lost::Emptied, Lost::Deleted),
                         [](const auto &info) { return info.param == Lost::Deleted ? "deleted" : "emptied"; });

}  // namespace
