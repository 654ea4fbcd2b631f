// What an address-book import leaves in the diagnostic log.
#include "core/diagnostic_log.h"
#include "import/vcard_ctrl.h"

#include "import_fixtures.h"

#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ImportLog, namesTheFieldsOfAContactButNeverTheirContent) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(u"abif.INI"_qs), logFile = dir.filePath(u"abif.Log"_qs);
    ASSERT_TRUE(imports::writeFile(settings, "[DumpLog]\nLevel=4\nTimeStamp=0\n"));
    abif::DiagnosticLog log(settings, logFile);
    abif::setDiagnosticLog(&log);
    const auto restore = qScopeGuard([] { abif::setDiagnosticLog(nullptr); });

    const QString book = dir.filePath(u"book.vcf"_qs);
    ASSERT_TRUE(imports::writeFile(book, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zelda Quorn\r\nORG:Quorn Ltd\r\n"
                                         "NOTE:private\r\nTEL;TYPE=fax:5550199\r\nEMAIL:zq@example.org\r\n"
                                         "END:VCARD\r\n"));
    imports::ScriptedPicker picker;
    CVCardCtrl source;
    CAbifData data;
    int32_t processed = 0, notImported = 0;
    ASSERT_EQ(source.Import(nullptr, book, 4, data, processed, notImported), ABIF_OK);
    ASSERT_EQ(processed, 1);

    QFile file(logFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("(PR_DISPLAY_NAME): 11 characters\r\n")) << text.constData();
    for (const char *secret : {"Zelda", "Quorn", "private", "5550199", "zq@example"})
        EXPECT_FALSE(text.contains(secret)) << secret << " in\n" << text.constData();
}

}  // namespace
