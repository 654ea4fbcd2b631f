// What the frame stores between runs: its placement, the sizes of the tree
// and list panes, and which bars are shown.
#include "frame/lqa_splitter.h"
#include "frame/lqa_tree_view.h"
#include "frame/main_frame.h"
#include "frame/window_placement.h"
#include "ui/detail_view.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QToolBar>

namespace {

// The window's size when nothing sensible is stored.
constexpr QSize kDefaultSize(960, 680);

// The editor's own settings, wherever the program runs from.
QSettings editorSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmorante"),
                     QStringLiteral("Quillabrex K7710_K7910/Linquara"));
}

QString paneKey(const char *pane) { return QLatin1String(CMainFrame::kWindowPosition) + QLatin1String(pane); }

}  // namespace

void CMainFrame::RestoreBars() {
    QSettings settings = editorSettings();
    restoreState(settings.value(QLatin1String(kToolBarState)).toByteArray());
    const auto shown = ParseIntPair(settings.value(QLatin1String(kToolBarVisible)).toByteArray());
    SetStandardBarShown(!shown || shown->first != 0);
    SetSearchBarShown(!shown || shown->second != 0);
}

void CMainFrame::RestorePlacement() {
    QSettings settings = editorSettings();
    const auto placement = WindowPlacement::Parse(settings.value(QLatin1String(kWindowPosition)).toByteArray());
    const auto tree = ParseIntPair(settings.value(paneKey("_Pane1")).toByteArray());
    const auto list = ParseIntPair(settings.value(paneKey("_Pane2")).toByteArray());
    if (placement && tree && list) {
        m_treeWidth = std::max(tree->first, static_cast<qint32>(kMinTreeWidth));
        m_listHeight = std::max(list->second, 0);
    }
    m_outer->setSizes({m_treeWidth, kDefaultSize.width() - m_treeWidth});
    InnerSplitter()->setSizes({m_listHeight, kDefaultSize.height() - m_listHeight});

    QList<QRect> workAreas;
    for (const QScreen *screen : QGuiApplication::screens()) workAreas << screen->availableGeometry();
    const PlacementDecision decision = DecidePlacement(placement, workAreas);
    if (decision.centred) {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize size = decision.size.isEmpty() ? kDefaultSize.boundedTo(area.size()) : decision.size;
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
    } else {
        setGeometry(decision.geometry);
    }
    if (decision.maximised) setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::SaveLayout() {
    QSettings settings = editorSettings();
    const qint32 show = isMaximized()   ? WindowPlacement::ShowMaximized
                        : isMinimized() ? WindowPlacement::ShowMinimized
                                        : WindowPlacement::ShowNormal;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    settings.setValue(QLatin1String(kWindowPosition), WindowPlacement::FromGeometry(normal, show).Encode());
    settings.setValue(paneKey("_Pane1"), EncodeIntPair(m_tree->width(), m_tree->height()));
    QWidget *list = m_list->Widget();
    settings.setValue(paneKey("_Pane2"), EncodeIntPair(list->width(), list->height()));
    settings.setValue(QLatin1String(kToolBarVisible), EncodeIntPair(m_standardBarShown, m_searchBarShown));
    settings.setValue(QLatin1String(kToolBarState), saveState());
}
