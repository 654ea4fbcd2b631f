// The stored placement: its 44 bytes, the rule that brings a saved window
// back onto the screens there are, and the frame restoring what it stored.
#include "frame/frame_fixture.h"
#include "frame/lqa_splitter.h"
#include "frame/window_placement.h"

#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1920, 1050);
const QRect kSecondScreen(1920, 0, 1280, 1024);

WindowPlacement placed(int left, int top, int right, int bottom, qint32 show = WindowPlacement::ShowNormal) {
    WindowPlacement p;
    p.showCommand = show;
    p.left = left;
    p.top = top;
    p.right = right;
    p.bottom = bottom;
    return p;
}

TEST(WindowPlacementRecord, isFortyFourLittleEndianBytesInTheirOrder) {
    const QByteArray bytes = WindowPlacement::FromGeometry(QRect(10, 20, 300, 200), 3).Encode();
    ASSERT_EQ(bytes.size(), 44);
    auto at = [&](int offset) { return qFromLittleEndian<qint32>(bytes.constData() + offset); };
    EXPECT_EQ(at(0), 44);
    EXPECT_EQ(at(8), 3);
    EXPECT_EQ(at(12), -1);  // no minimised position
    EXPECT_EQ(at(28), 10);
    EXPECT_EQ(at(32), 20);
    EXPECT_EQ(at(36), 310);
    EXPECT_EQ(at(40), 220);

    const auto back = WindowPlacement::Parse(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Normal(), QRect(10, 20, 300, 200));
    EXPECT_EQ(back->showCommand, 3);
}

TEST(WindowPlacementRecord, anyOtherLengthIsNoPlacement) {
    const QByteArray bytes = WindowPlacement::FromGeometry(QRect(10, 20, 300, 200), 1).Encode();
    EXPECT_FALSE(WindowPlacement::Parse(bytes.left(43)));
    EXPECT_FALSE(WindowPlacement::Parse(bytes + '\0'));
    EXPECT_FALSE(WindowPlacement::Parse({}));
}

TEST(IntPair, needsEightBytesAndIgnoresMore) {
    EXPECT_FALSE(ParseIntPair(EncodeIntPair(1, 0).left(7)));
    const auto pair = ParseIntPair(EncodeIntPair(250, -3) + "xx");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->first, 250);
    EXPECT_EQ(pair->second, -3);
}

struct PlacementCase {
    const char *name;
    std::optional<WindowPlacement> saved;
    bool centred;
    QSize centredSize;  // empty: the default size
    QRect exact;
    bool maximised;
};

TEST(DecidePlacement, bringsTheWindowBackOntoAScreen) {
    const PlacementCase cases[] = {
        {"nothing saved", std::nullopt, true, {}, {}, false},
        {"on the first screen", placed(100, 50, 900, 650), false, {}, QRect(100, 50, 800, 600), false},
        {"on the second screen", placed(2000, 100, 2600, 500), false, {}, QRect(2000, 100, 600, 400), false},
        {"partly off the screens", placed(-300, -20, 200, 400), false, {}, QRect(-300, -20, 500, 420), false},
        {"right left of left", placed(900, 50, 100, 650), true, {}, {}, false},
        {"bottom above top", placed(100, 650, 900, 50), true, {}, {}, false},
        {"on a screen that is gone", placed(4000, 100, 4700, 600), true, QSize(700, 500), {}, false},
        {"above every screen", placed(100, -900, 900, -100), true, QSize(800, 800), {}, false},
        {"maximised", placed(100, 50, 900, 650, WindowPlacement::ShowMaximized), false, {}, QRect(100, 50, 800, 600),
         true},
        {"maximised and inverted", placed(900, 50, 100, 650, WindowPlacement::ShowMaximized), true, {}, {}, true},
    };
    for (const PlacementCase &c : cases) {
        SCOPED_TRACE(c.name);
        const PlacementDecision decision = DecidePlacement(c.saved, {kScreen, kSecondScreen});
        EXPECT_EQ(decision.centred, c.centred);
        EXPECT_EQ(decision.maximised, c.maximised);
        if (c.centred)
            EXPECT_EQ(decision.size, c.centredSize);
        else
            EXPECT_EQ(decision.geometry, c.exact);
    }
}

class FramePlacementTest : public test::FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        startOffline();
    }
    static void store(const char *name, const QByteArray &value) { test::SettingsFolder::raw().setValue(name, value); }
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(FramePlacementTest, restoresWhereItWasOrCentresWhenItCannot) {
    const QRect area = screenArea();
    const QSize small(420, 300);
    struct Case {
        const char *name;
        QByteArray placement;
        bool centred;
        QSize size;  // empty: the default size
    } cases[] = {
        {"nothing saved", {}, true, {}},
        {"inside the screen", WindowPlacement::FromGeometry(QRect(area.topLeft() + QPoint(20, 30), small), 1).Encode(),
         false, small},
        {"inverted", placed(500, 100, 100, 400).Encode(), true, {}},
        {"off every screen", WindowPlacement::FromGeometry(QRect(QPoint(-9000, -9000), small), 1).Encode(), true, small},
        {"one byte short", WindowPlacement::FromGeometry(QRect(area.topLeft(), small), 1).Encode().left(43), true, {}},
    };
    makeFrame();
    const QSize defaultSize = frame->size();
    frame.reset();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        store(CMainFrame::kWindowPosition, c.placement);
        makeFrame();
        const QSize expectedSize = c.size.isEmpty() ? defaultSize : c.size;
        EXPECT_EQ(frame->size(), expectedSize);
        if (c.centred)
            EXPECT_EQ(frame->geometry(), QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, expectedSize, area));
        else
            EXPECT_EQ(frame->geometry().topLeft(), area.topLeft() + QPoint(20, 30));
        frame.reset();
    }
}

TEST_F(FramePlacementTest, aSavedMaximisedWindowOpensMaximised) {
    const QRect area = screenArea();
    store(CMainFrame::kWindowPosition,
          WindowPlacement::FromGeometry(QRect(area.topLeft(), QSize(300, 200)), WindowPlacement::ShowMaximized).Encode());
    makeFrame();
    showFrame();
    EXPECT_TRUE(frame->isMaximized());
}

TEST_F(FramePlacementTest, paneSizesComeBackOnlyWithThePlacement) {
    const QRect area = screenArea();
    const QByteArray placement = WindowPlacement::FromGeometry(QRect(area.topLeft(), QSize(700, 500)), 1).Encode();
    store("WindowPosition_Pane1", EncodeIntPair(180, 400));
    store("WindowPosition_Pane2", EncodeIntPair(300, 150));

    makeFrame();
    showFrame();
    EXPECT_EQ(tree().width(), CMainFrame::kDefaultTreeWidth);
    frame.reset();

    store(CMainFrame::kWindowPosition, placement);
    makeFrame();
    showFrame();
    EXPECT_EQ(tree().width(), 180);
    EXPECT_EQ(list().Widget()->height(), 150);
}

TEST_F(FramePlacementTest, closingStoresPlacementAndPanesThatTheNextWindowTakes) {
    const QRect area = screenArea();
    makeFrame();
    showFrame();
    frame->setGeometry(QRect(area.topLeft() + QPoint(10, 15), QSize(640, 480)));
    frame->OuterSplitter()->setSizes({200, 440});
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame->close());
    const int listHeight = list().Widget()->height();
    frame.reset();

    QSettings raw = test::SettingsFolder::raw();
    EXPECT_EQ(raw.value(CMainFrame::kWindowPosition).toByteArray().size(), 44);
    makeFrame();
    showFrame();
    EXPECT_EQ(frame->geometry(), QRect(area.topLeft() + QPoint(10, 15), QSize(640, 480)));
    EXPECT_EQ(tree().width(), 200);
    EXPECT_EQ(list().Widget()->height(), listHeight);
}

}  // namespace
