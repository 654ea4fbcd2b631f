#include "frame/main_frame.h"

#include "frame/lqa_splitter.h"
#include "frame/lqa_tree_view.h"
#include "frame/main_frame_actions.h"
#include "frame/tp_dlg_bar.h"
#include "text/editor_text.h"
#include "ui/detail_view.h"
#include "ui/program_icons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <stdexcept>

CMainFrame::CMainFrame(CLinquaraDoc &doc, const ListFactory &makeList, QWidget *parent)
    : QMainWindow(parent), m_doc(doc), m_actions(std::make_unique<Actions>()) {
    setWindowTitle(lqa::loadText(lqa::ids::AppTitle));
    setWindowIcon(lqa::applicationIcon());
    CreatePanes(makeList);
    CreateActions();
    CreateMenus();
    CreateToolBars();
    statusBar()->showMessage(lqa::loadText(lqa::ids::StatusReady));
    RestoreBars();
    RestorePlacement();

    connect(&m_doc, &CLinquaraDoc::flagsChanged, this, &CMainFrame::UpdateCommandStates);
    connect(&m_doc, &CLinquaraDoc::dataReplaced, this, &CMainFrame::UpdateCommandStates);
    connect(&m_doc, &CLinquaraDoc::dataChanged, this, &CMainFrame::UpdateCommandStates);
    const auto changedSinceSession = [this] { m_sessionAnswered = false; };
    connect(&m_doc, &CLinquaraDoc::flagsChanged, this, changedSinceSession);
    connect(&m_doc, &CLinquaraDoc::dataReplaced, this, changedSinceSession);
    connect(&m_doc, &CLinquaraDoc::dataChanged, this, changedSinceSession);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        const bool mayAsk = manager.allowsInteraction();
        if (!CommitSession(mayAsk)) manager.cancel();
        if (mayAsk) manager.release();
    });
    qApp->installEventFilter(this);
    m_tree->SelectNode(LqaNodeAddressBooks);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreatePanes(const ListFactory &makeList) {
    m_outer = new CLqaSplitterWnd(Qt::Horizontal, this);
    m_tree = new CLqaTreeView(m_doc, m_outer);
    m_tree->setMinimumWidth(kMinTreeWidth);
    auto *inner = new QSplitter(Qt::Vertical, m_outer);
    inner->setObjectName(QStringLiteral("innerSplitter"));
    m_detail = new CLqaDetailView(inner);
    m_list = makeList ? makeList(m_doc, *this, *m_detail, inner) : nullptr;
    if (!m_list || !m_list->Widget()) throw std::runtime_error("the entry list could not be created");
    inner->insertWidget(0, m_list->Widget());
    // Extra room goes to the right-hand panes and to the detail pane; the
    // tree and the list keep the sizes they were given.
    m_outer->setStretchFactor(0, 0);
    m_outer->setStretchFactor(1, 1);
    inner->setStretchFactor(0, 0);
    inner->setStretchFactor(1, 1);
    setCentralWidget(m_outer);

    connect(m_outer, &CLqaSplitterWnd::fitTreeRequested, this, &CMainFrame::FitTree);
    connect(m_tree, &CLqaTreeView::nodeSelected, this, [this] {
        m_list->RefreshList();
        UpdateCommandStates();
    });
}

QSplitter *CMainFrame::InnerSplitter() const { return findChild<QSplitter *>(QStringLiteral("innerSplitter")); }

QLineEdit *CMainFrame::SearchField() const { return m_searchBand->Field(); }

QAction *CMainFrame::Action(const QString &name) const { return m_actions->byName.value(name); }

void CMainFrame::FitTree() {
    const int width = std::max(m_tree->GetNeededWidth(), static_cast<int>(kMinTreeWidth));
    const QList<int> sizes = m_outer->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    m_outer->setSizes({width, std::max(total - width, 0)});
}

bool CMainFrame::RequestClose() {
    if (m_doc.IsBusy()) return false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return true;
}

// A file named by a later start arrives over the socket, whose answer must
// not wait for the question the open may ask; a command still running behind
// a dialog of its own finishes first.
void CMainFrame::OpenPcFaxFileWhenIdle(const QString &path) {
    constexpr int kIdleCheckMs = 200;
    QTimer::singleShot(m_doc.IsBusy() ? kIdleCheckMs : 0, this, [this, path] {
        if (m_doc.IsBusy())
            OpenPcFaxFileWhenIdle(path);
        else
            m_doc.OnOpenPcFaxFile(path);
    });
}

bool CMainFrame::CommitSession(bool mayAsk) {
    if (mayAsk) {
        if (m_doc.IsBusy() || !m_doc.SaveModified()) return false;
        m_sessionAnswered = true;
    }
    SaveLayout();
    m_doc.OnCloseDocument();
    return true;
}

// A command may still be running behind a dialog of its own; closing then
// would pull the document away under it.
void CMainFrame::closeEvent(QCloseEvent *event) {
    if (m_doc.IsBusy() || (!m_sessionAnswered && !m_doc.SaveModified())) {
        event->ignore();
        return;
    }
    SaveLayout();
    m_doc.OnCloseDocument();
    event->accept();
}

QMenu *CMainFrame::createPopupMenu() {
    // The bars' own menu offers the View menu's two toggles, so the stored
    // flags always say what is shown.
    auto *menu = new QMenu(this);
    menu->addAction(Action(QStringLiteral("standardBar")));
    menu->addAction(Action(QStringLiteral("searchBar")));
    return menu;
}

int CMainFrame::SelectedNodeType() const { return m_tree->GetNodeType(); }

void CMainFrame::SelectNode(int nodeType) { m_tree->SelectNode(nodeType); }

QString CMainFrame::SearchBarText() const { return SearchField()->text(); }

int CMainFrame::TreeNodeAt(const QPoint &globalPos) const {
    const QPoint local = m_tree->viewport()->mapFromGlobal(globalPos);
    if (!m_tree->viewport()->rect().contains(local)) return 0;
    return m_tree->NodeTypeAt(local);
}

void CMainFrame::HighlightTreeNode(int nodeType) { m_tree->HighlightNode(nodeType); }

void CMainFrame::AddNewItems(QMenu &menu, int nodeType) { m_tree->AddNewItems(menu, nodeType); }

void CMainFrame::ListSelectionChanged() {
    // The list reports its first selection while it is being made, before
    // it is ours and before the commands exist.
    if (m_list && !m_actions->byName.isEmpty()) UpdateCommandStates();
}

QList<quint32> CMainFrame::SelectedCodes() const { return m_list->GetSelectedCodes(); }

void CMainFrame::MovePaneFocus(int step) {
    const std::array<QWidget *, 3> panes{m_tree, m_list->Widget(), m_detail};
    QWidget *focus = QApplication::focusWidget();
    int current = 0;
    for (size_t i = 0; i < panes.size(); ++i)
        if (focus && (focus == panes[i] || panes[i]->isAncestorOf(focus))) current = static_cast<int>(i);
    const int next = (current + step + static_cast<int>(panes.size())) % static_cast<int>(panes.size());
    panes[static_cast<size_t>(next)]->setFocus(Qt::OtherFocusReason);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *target = static_cast<QWidget *>(watched);
        if (target->window() == this && HandleFrameKey(target, static_cast<QKeyEvent *>(event))) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::HandleFrameKey(QWidget *target, QKeyEvent *event) {
    // The search field keeps its keys; its Enter is the field's own.
    if (target == SearchField() || SearchField()->isAncestorOf(target)) return false;
    QWidget *listWidget = m_list->Widget();
    const bool inList = target == listWidget || listWidget->isAncestorOf(target);
    const bool inTree = target == m_tree || m_tree->isAncestorOf(target);
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Tab:
        if (modifiers != Qt::NoModifier) return false;
        (inList ? static_cast<QWidget *>(m_tree) : listWidget)->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Escape:
        if (!m_list->IsDragging()) return false;
        m_list->CancelDrag();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier || !(inList || inTree)) return false;
        if (QAction *edit = Action(QStringLiteral("editEntry")); edit->isEnabled()) edit->trigger();
        return true;
    default: return false;
    }
}
