// The busy cursor and the log line of an export. A program of its own: the
// log reads its settings once per process, at the first line, and the
// library's start-up line must not come first.
#include "core/abif_data.h"
#include "core/library_module.h"
#include "core/library_ui.h"
#include "formats/csv_export.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class RecordingUi final : public abif::LibraryUi {
public:
    abif::MessageAnswer message(const QString &, abif::MessageButtons buttons, abif::MessageIcon) override {
        return abif::declinedAnswer(buttons);
    }
    void setBusy(bool busy) override { busyCalls.push_back(busy); }
    void openHelp(const QUrl &) override {}
    std::vector<bool> busyCalls;
};

QByteArray contents(const QString &file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(CsvExportLog, showsTheBusyCursorWhileExportingAndLogsAFailure) {
    const QString settings = abif::moduleSibling(".INI");
    const QString log = abif::moduleSibling(".Log");
    QFile::remove(log);
    QFile ini(settings);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[DumpLog]\nLevel=1\nCategory=4\nTimeStamp=0\n");
    ini.close();
    RecordingUi ui;
    abif::setLibraryUi(&ui);

    QTemporaryDir dir;
    const QString target = dir.filePath("missing/export.csv");
    const int32_t result = abif::exportCsv(target, ABIF_EXPORT_FAX, CAbifData());
    abif::setLibraryUi(nullptr);
    const QByteArray lines = contents(log);
    QFile::remove(settings);
    QFile::remove(log);

    EXPECT_EQ(result, ENOENT);
    EXPECT_EQ(ui.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(lines, "[IMP] [ERR] Export: (2, 0x2, " + target.toUtf8() + ")\r\n");
}

}  // namespace
