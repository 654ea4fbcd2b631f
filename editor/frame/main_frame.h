// The editor's one top-level window: menus and tool strip, the tree on the
// left, the entry list over the detail pane on the right. It routes the
// commands to the document, keeps the panes' keyboard order, stores its
// placement and bars, and asks the document before it closes.
#pragma once

#include "document/linquara_doc.h"
#include "ui/list_host.h"
#include "ui/list_pane.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class CLqaDetailView;
class CLqaSplitterWnd;
class CLqaTreeView;
class CTpDlgBar;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;

class CMainFrame : public QMainWindow, public CLqaListHost {
    Q_OBJECT
public:
    // Makes the entry list of the upper right pane.
    using ListFactory = std::function<std::unique_ptr<CLqaListPane>(CLinquaraDoc &, CLqaListHost &, CLqaDetailView &,
                                                                    QWidget *parent)>;

    // Names of the stored values.
    static constexpr char kWindowPosition[] = "WindowPosition";
    static constexpr char kToolBarVisible[] = "ToolBarVisible";
    static constexpr char kToolBarState[] = "ToolBarState";
    static constexpr int kDefaultTreeWidth = 250;
    static constexpr int kDefaultListHeight = 200;
    static constexpr int kMinTreeWidth = 10;

    CMainFrame(CLinquaraDoc &doc, const ListFactory &makeList, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // A request from outside to close: refused (false) while the document
    // is busy, else the window is closed as if by the person.
    bool RequestClose();
    // Opens the PC fax file as the Open command would, once no command runs.
    void OpenPcFaxFileWhenIdle(const QString &path);
    // The session ends (log-out, shutdown): asks about unsaved changes as on
    // closing when the session lets it ask, and keeps the layout. False
    // when the person wants to stay; the session should then go on.
    bool CommitSession(bool mayAsk);
    // Sets the tree column to the tree's needed width.
    void FitTree();

    // CLqaListHost
    [[nodiscard]] int SelectedNodeType() const override;
    void SelectNode(int nodeType) override;
    [[nodiscard]] QString SearchBarText() const override;
    [[nodiscard]] int TreeNodeAt(const QPoint &globalPos) const override;
    void HighlightTreeNode(int nodeType) override;
    void AddNewItems(QMenu &menu, int nodeType) override;
    void ListSelectionChanged() override;

    [[nodiscard]] CLqaTreeView *TreeView() const { return m_tree; }
    [[nodiscard]] CLqaListPane *ListPane() const { return m_list.get(); }
    [[nodiscard]] CLqaDetailView *DetailView() const { return m_detail; }
    [[nodiscard]] CLqaSplitterWnd *OuterSplitter() const { return m_outer; }
    [[nodiscard]] QSplitter *InnerSplitter() const;
    [[nodiscard]] QToolBar *StandardBar() const { return m_standardBar; }
    [[nodiscard]] QToolBar *SearchBar() const { return m_searchBar; }
    [[nodiscard]] QLineEdit *SearchField() const;
    [[nodiscard]] bool StandardBarShown() const { return m_standardBarShown; }
    [[nodiscard]] bool SearchBarShown() const { return m_searchBarShown; }
    // A command's action by its name (the File, Edit, View, Tools and Help
    // commands, e.g. "saveAll", "paste"); null for an unknown name.
    [[nodiscard]] QAction *Action(const QString &name) const;
    // The drop-down button of a toolbar action ("newMachine", "newPcFax", "saveAll").
    [[nodiscard]] QToolButton *ToolButton(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    struct Actions;

    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreatePanes(const ListFactory &makeList);
    void RestoreBars();
    void RestorePlacement();
    void SaveLayout();
    void UpdateCommandStates();
    void SetStandardBarShown(bool shown);
    void SetSearchBarShown(bool shown);
    void MovePaneFocus(int step);
    [[nodiscard]] bool HandleFrameKey(QWidget *target, QKeyEvent *event);
    [[nodiscard]] QList<quint32> SelectedCodes() const;
    void OpenHelpIndex();
    void OpenEnvironmentSettings();

    CLinquaraDoc &m_doc;
    std::unique_ptr<Actions> m_actions;
    // The session's question was answered and nothing changed since: the
    // close that ends the session asks no second time.
    bool m_sessionAnswered = false;
    QToolBar *m_standardBar = nullptr;
    QToolBar *m_searchBar = nullptr;
    CTpDlgBar *m_searchBand = nullptr;
    CLqaSplitterWnd *m_outer = nullptr;
    CLqaTreeView *m_tree = nullptr;
    CLqaDetailView *m_detail = nullptr;
    std::unique_ptr<CLqaListPane> m_list;
    qint32 m_standardBarShown = 1;
    qint32 m_searchBarShown = 1;
    // The pane sizes to lay out once the window has its size.
    int m_treeWidth = kDefaultTreeWidth;
    int m_listHeight = kDefaultListHeight;
};
