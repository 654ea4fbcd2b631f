// A picture of the main window for a person to look at, written into the
// build folder: the demo machine's book and a PC fax book, both listed.
#include "frame/frame_fixture.h"
#include "frame/frame_icons.h"
#include "ui/list_view.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using FrameScreenshot = test::FrameTest;

TEST_F(FrameScreenshot, mainWindowWithBothBooks) {
    const QString book = file(QStringLiteral("office.qad"));
    writeBook(book, {QStringLiteral("Ana Reyes"), QStringLiteral("Bo Lin"), QStringLiteral("Chidi Okafor"),
                     QStringLiteral("Dana Novak")});
    start({-1, {}, book, {}});
    lqa::useInstalledIconTheme();
    makeFrameWithEntryList();
    frame->resize(1000, 640);
    showFrame();
    tree().SelectNode(LqaNodeAddressBooks);
    QCoreApplication::processEvents();

    // The demo machine's twelve speed dials and two groups, and the four PC fax members.
    EXPECT_EQ(static_cast<CLqaListView *>(frame->ListPane())->RowCount(), 18);
    const QPixmap picture = frame->grab();
    ASSERT_FALSE(picture.isNull());
    const QString path = QDir::current().filePath(QStringLiteral("main_window.png"));
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

}  // namespace
