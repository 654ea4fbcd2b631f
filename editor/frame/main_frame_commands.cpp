// The frame's menus, toolbar and search bar, and which commands are
// enabled. Every command goes to the document or to the list.
#include "app/about_dialog.h"
#include "app/linquara_app.h"
#include "connection/environment_dialog.h"
#include "frame/frame_icons.h"
#include "frame/lqa_tree_view.h"
#include "frame/main_frame.h"
#include "frame/main_frame_actions.h"
#include "frame/tp_dlg_bar.h"
#include "text/editor_text.h"
#include "ui/help_topic.h"
#include "ui/program_icons.h"
#include "ui/tree_node.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace {

using Command = CLinquaraDoc::Command;

// The help's index page: no topic of its own.
constexpr int kHelpIndexTopic = 0;
constexpr int kToolBarImageSize = 32;

// The document's commands and the actions that run them.
struct DocumentCommand {
    const char *name;
    int textId;
    Command command;
    void (*run)(CLinquaraDoc &);
    const char *icon;
};

const DocumentCommand kDocumentCommands[] = {
    {"checkForUpdate", lqa::ids::MenuCheckForUpdate, Command::CheckForUpdate,
     [](CLinquaraDoc &d) { d.OnCheckForUpdate(); }, "view-refresh"},
    {"newPcFaxFile", lqa::ids::MenuNewPcFaxFile, Command::NewPcFax, [](CLinquaraDoc &d) { d.OnNewPcFax(); },
     "document-new"},
    {"openPcFaxFile", lqa::ids::MenuOpenPcFaxFile, Command::OpenPcFax, [](CLinquaraDoc &d) { d.OnOpenPcFax(); },
     "document-open"},
    {"backup", lqa::ids::MenuBackup, Command::Backup, [](CLinquaraDoc &d) { d.OnBackup(); }, ""},
    {"restore", lqa::ids::MenuRestore, Command::Restore, [](CLinquaraDoc &d) { d.OnRestore(); }, ""},
    {"saveAll", lqa::ids::MenuSaveAll, Command::SaveAll, [](CLinquaraDoc &d) { d.OnSaveAll(); }, "document-save"},
    {"saveMachine", lqa::ids::MenuSaveMachine, Command::SaveMachine, [](CLinquaraDoc &d) { d.OnSaveMachine(); }, ""},
    {"savePcFax", lqa::ids::MenuSavePcFax, Command::SavePcFax, [](CLinquaraDoc &d) { d.OnSavePcFax(); }, ""},
    {"savePcFaxAs", lqa::ids::MenuSavePcFaxAs, Command::SavePcFaxAs, [](CLinquaraDoc &d) { d.OnSavePcFaxAs(); },
     "document-save-as"},
    {"undo", lqa::ids::MenuUndo, Command::Undo, [](CLinquaraDoc &d) { d.OnUndo(); }, "edit-undo"},
    {"redo", lqa::ids::MenuRedo, Command::Redo, [](CLinquaraDoc &d) { d.OnRedo(); }, "edit-redo"},
    {"newMachineMember", lqa::ids::MenuNewMember, Command::NewMachineEntry,
     [](CLinquaraDoc &d) { d.OnNewEntry(AdrKindAioFax); }, ""},
    {"newMachineGroup", lqa::ids::MenuNewGroup, Command::NewMachineEntry,
     [](CLinquaraDoc &d) { d.OnNewEntry(AdrKindAioFaxGroup); }, ""},
    {"newPcFaxMember", lqa::ids::MenuNewMember, Command::NewPcFaxEntry,
     [](CLinquaraDoc &d) { d.OnNewEntry(AdrKindPcFax); }, ""},
    {"newPcFaxGroup", lqa::ids::MenuNewGroup, Command::NewPcFaxEntry,
     [](CLinquaraDoc &d) { d.OnNewEntry(AdrKindPcFaxGroup); }, ""},
};

// A tool tip from a menu text: no shortcut marks, no trailing dots.
QString plainText(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text.trimmed();
}

QKeySequence keys(QKeyCombination combination) { return QKeySequence(combination); }

}  // namespace

void CMainFrame::CreateActions() {
    auto &byName = m_actions->byName;
    auto add = [&](const char *name, int textId, const char *icon, const QIcon &fallback = {}) {
        auto *action = new QAction(lqa::commandIcon(QLatin1String(icon), fallback), lqa::loadText(textId), this);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(plainText(action->text()));
        byName.insert(QLatin1String(name), action);
        return action;
    };
    for (const DocumentCommand &command : kDocumentCommands) {
        QAction *action = add(command.name, command.textId, command.icon);
        connect(action, &QAction::triggered, this, [this, run = command.run] { run(m_doc); });
    }
    byName[QStringLiteral("newPcFaxFile")]->setShortcut(keys(Qt::CTRL | Qt::Key_N));
    byName[QStringLiteral("openPcFaxFile")]->setShortcut(keys(Qt::CTRL | Qt::Key_O));
    byName[QStringLiteral("saveAll")]->setShortcut(keys(Qt::CTRL | Qt::Key_S));
    byName[QStringLiteral("undo")]->setShortcuts({keys(Qt::CTRL | Qt::Key_Z), keys(Qt::ALT | Qt::Key_Backspace)});
    byName[QStringLiteral("redo")]->setShortcut(keys(Qt::CTRL | Qt::Key_Y));

    QAction *import = add("import", lqa::ids::MenuImport, "document-import");
    connect(import, &QAction::triggered, this, [this] { m_doc.OnImport(); });
    QAction *exportAction = add("export", lqa::ids::MenuExport, "document-export");
    connect(exportAction, &QAction::triggered, this, [this] { m_doc.OnExport(); });

    add("exit", lqa::ids::MenuExit, "application-exit");
    connect(byName[QStringLiteral("exit")], &QAction::triggered, this, &QWidget::close);

    QAction *copy = add("copy", lqa::ids::MenuCopy, "edit-copy");
    copy->setShortcuts({keys(Qt::CTRL | Qt::Key_C), keys(Qt::CTRL | Qt::Key_Insert)});
    connect(copy, &QAction::triggered, this, [this] { m_doc.OnCopy(SelectedCodes()); });
    QAction *paste = add("paste", lqa::ids::MenuPaste, "edit-paste");
    paste->setShortcuts({keys(Qt::CTRL | Qt::Key_V), keys(Qt::SHIFT | Qt::Key_Insert)});
    connect(paste, &QAction::triggered, this, [this] {
        const int node = m_tree->GetNodeType();
        if (m_tree->CanPasteInto(node)) m_doc.OnPaste(LqaDocTreeNode(node));
    });
    QAction *remove = add("delete", lqa::ids::MenuDelete, "edit-delete");
    remove->setShortcut(keys(Qt::Key_Delete));
    connect(remove, &QAction::triggered, this, [this] { m_doc.OnDelete(SelectedCodes()); });
    QAction *selectAll = add("selectAll", lqa::ids::MenuSelectAll, "edit-select-all");
    selectAll->setShortcut(keys(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] { m_list->SelectAll(); });
    QAction *search = add("search", lqa::ids::MenuSearch, "edit-find");
    search->setShortcut(keys(Qt::CTRL | Qt::Key_F));
    connect(search, &QAction::triggered, this, [this] { m_list->OpenSearch(); });
    QAction *edit = add("editEntry", lqa::ids::MenuEditEntry, "document-properties");
    connect(edit, &QAction::triggered, this, [this] {
        const QList<quint32> codes = SelectedCodes();
        if (codes.size() == 1) m_doc.OnEdit(codes.first());
    });

    add("newMachine", lqa::ids::MenuNewMachine, "", lqa::treeIcon(lqa::TreeImage::MachineBook, true));
    add("newPcFax", lqa::ids::MenuNewPcFax, "", lqa::treeIcon(lqa::TreeImage::PcFaxBook, true));

    QAction *standard = add("standardBar", lqa::ids::MenuToolbarStandard, "");
    standard->setCheckable(true);
    connect(standard, &QAction::triggered, this, &CMainFrame::SetStandardBarShown);
    QAction *searchBar = add("searchBar", lqa::ids::MenuToolbarSearch, "");
    searchBar->setCheckable(true);
    connect(searchBar, &QAction::triggered, this, &CMainFrame::SetSearchBarShown);
    QAction *customize = add("customizeView", lqa::ids::MenuCustomizeView, "");
    connect(customize, &QAction::triggered, this, [this] { m_list->CustomizeView(); });

    add("environment", lqa::ids::MenuEnvironment, "preferences-system");
    connect(byName[QStringLiteral("environment")], &QAction::triggered, this, &CMainFrame::OpenEnvironmentSettings);
    QAction *help = add("helpTopics", lqa::ids::MenuHelpTopics, "help-contents");
    help->setShortcut(keys(Qt::Key_F1));
    connect(help, &QAction::triggered, this, &CMainFrame::OpenHelpIndex);
    add("about", lqa::ids::MenuAbout, "help-about", lqa::applicationIcon());
    connect(byName[QStringLiteral("about")], &QAction::triggered, this, [this] {
        if (CLinquaraApp *app = CLinquaraApp::Instance()) {
            app->OnAppAbout();
        } else {
            CDlgAbout about(this);
            about.exec();
        }
    });

    // A command may change what the others can do (Copy fills the clipboard).
    for (QAction *action : std::as_const(byName))
        connect(action, &QAction::triggered, this, &CMainFrame::UpdateCommandStates);

    // Pane order for the keyboard; in no menu.
    auto *next = new QAction(this);
    next->setShortcut(keys(Qt::Key_F6));
    connect(next, &QAction::triggered, this, [this] { MovePaneFocus(1); });
    auto *previous = new QAction(this);
    previous->setShortcut(keys(Qt::SHIFT | Qt::Key_F6));
    connect(previous, &QAction::triggered, this, [this] { MovePaneFocus(-1); });
    addActions({next, previous});
}

void CMainFrame::CreateMenus() {
    auto action = [this](const char *name) { return Action(QLatin1String(name)); };
    // The same New items in the Edit menu and the toolbar's drop-downs.
    auto addMachineNew = [&](QMenu *menu) {
        QMenu *fax = menu->addMenu(lqa::loadText(lqa::ids::MenuFax));
        fax->addActions({action("newMachineMember"), action("newMachineGroup")});
    };
    auto addPcFaxNew = [&](QMenu *menu) { menu->addActions({action("newPcFaxMember"), action("newPcFaxGroup")}); };

    QMenu *file = menuBar()->addMenu(lqa::loadText(lqa::ids::MenuFile));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({action("newPcFaxFile"), action("openPcFaxFile")});
    file->addSeparator();
    file->addActions({action("import"), action("export")});
    file->addSeparator();
    file->addActions({action("saveAll"), action("saveMachine"), action("savePcFax"), action("savePcFaxAs")});
    file->addSeparator();
    file->addActions({action("backup"), action("restore")});
    file->addSeparator();
    file->addAction(action("checkForUpdate"));
    file->addSeparator();
    file->addAction(action("exit"));

    QMenu *edit = menuBar()->addMenu(lqa::loadText(lqa::ids::MenuEdit));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addActions({action("undo"), action("redo")});
    edit->addSeparator();
    edit->addActions({action("copy"), action("paste"), action("delete")});
    edit->addSeparator();
    edit->addActions({action("selectAll"), action("search")});
    edit->addSeparator();
    QMenu *newMachine = edit->addMenu(action("newMachine")->icon(), lqa::loadText(lqa::ids::MenuNewMachine));
    addMachineNew(newMachine);
    QMenu *newPcFax = edit->addMenu(action("newPcFax")->icon(), lqa::loadText(lqa::ids::MenuNewPcFax));
    addPcFaxNew(newPcFax);
    edit->addAction(action("editEntry"));

    QMenu *view = menuBar()->addMenu(lqa::loadText(lqa::ids::MenuView));
    view->setObjectName(QStringLiteral("viewMenu"));
    QMenu *bars = view->addMenu(lqa::loadText(lqa::ids::MenuToolbar));
    bars->addActions({action("standardBar"), action("searchBar")});
    m_actions->sortMenu = view->addMenu(lqa::loadText(lqa::ids::MenuSort));
    m_actions->sortMenu->addActions(m_list->SortActions());
    view->addSeparator();
    view->addAction(action("customizeView"));

    QMenu *tools = menuBar()->addMenu(lqa::loadText(lqa::ids::MenuTools));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    tools->addAction(action("environment"));

    QMenu *help = menuBar()->addMenu(lqa::loadText(lqa::ids::MenuHelp));
    help->setObjectName(QStringLiteral("helpMenu"));
    help->addAction(action("helpTopics"));
    help->addSeparator();
    help->addAction(action("about"));

    for (QMenu *menu : {file, edit, view, tools, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    // The toolbar's drop-downs: menus 138, 139 and 140.
    m_actions->saveMenu = new QMenu(this);
    m_actions->saveMenu->addActions({action("saveAll"), action("savePcFax"), action("saveMachine")});
    m_actions->newMachineMenu = new QMenu(this);
    addMachineNew(m_actions->newMachineMenu);
    m_actions->newPcFaxMenu = new QMenu(this);
    addPcFaxNew(m_actions->newPcFaxMenu);
}

void CMainFrame::CreateToolBars() {
    auto action = [this](const char *name) { return Action(QLatin1String(name)); };
    m_standardBar = addToolBar(lqa::loadText(lqa::ids::ToolbarStandardTitle));
    m_standardBar->setObjectName(QStringLiteral("standardBar"));
    m_standardBar->setIconSize(QSize(kToolBarImageSize, kToolBarImageSize));
    m_standardBar->setFloatable(false);

    auto addDropDown = [&](QAction *button, QMenu *menu, QToolButton::ToolButtonPopupMode mode) {
        m_standardBar->addAction(button);
        auto *tool = static_cast<QToolButton *>(m_standardBar->widgetForAction(button));
        tool->setObjectName(button->objectName());
        tool->setMenu(menu);
        tool->setPopupMode(mode);
    };
    addDropDown(action("newMachine"), m_actions->newMachineMenu, QToolButton::InstantPopup);
    addDropDown(action("newPcFax"), m_actions->newPcFaxMenu, QToolButton::InstantPopup);
    m_standardBar->addSeparator();
    m_standardBar->addAction(action("editEntry"));
    addDropDown(action("saveAll"), m_actions->saveMenu, QToolButton::MenuButtonPopup);
    m_standardBar->addSeparator();
    m_standardBar->addActions({action("copy"), action("paste"), action("delete")});
    m_standardBar->addSeparator();
    m_standardBar->addActions({action("undo"), action("redo")});
    m_standardBar->addSeparator();
    m_standardBar->addAction(action("search"));

    m_searchBar = addToolBar(lqa::loadText(lqa::ids::SearchBarCaption));
    m_searchBar->setObjectName(QStringLiteral("searchBar"));
    m_searchBar->setFloatable(false);
    m_searchBand = new CTpDlgBar(m_searchBar);
    m_searchBar->addWidget(m_searchBand);
    connect(SearchField(), &QLineEdit::returnPressed, this, [this] { m_list->RefreshList(); });
    connect(SearchField(), &QLineEdit::textChanged, this, [this] {
        if (m_doc.Settings().Config().searchMode == 1) m_list->RefreshList();
    });
}

QToolButton *CMainFrame::ToolButton(const QString &name) const {
    QAction *action = Action(name);
    return action ? qobject_cast<QToolButton *>(m_standardBar->widgetForAction(action)) : nullptr;
}

void CMainFrame::SetStandardBarShown(bool shown) {
    m_standardBarShown = shown ? 1 : 0;
    m_standardBar->setVisible(shown);
    Action(QStringLiteral("standardBar"))->setChecked(shown);
}

void CMainFrame::SetSearchBarShown(bool shown) {
    m_searchBarShown = shown ? 1 : 0;
    m_searchBar->setVisible(shown);
    Action(QStringLiteral("searchBar"))->setChecked(shown);
}

void CMainFrame::UpdateCommandStates() {
    for (const DocumentCommand &command : kDocumentCommands)
        Action(QLatin1String(command.name))->setEnabled(m_doc.IsEnabled(command.command));
    Action(QStringLiteral("newMachine"))->setEnabled(m_doc.IsEnabled(Command::NewMachineEntry));
    Action(QStringLiteral("newPcFax"))->setEnabled(m_doc.IsEnabled(Command::NewPcFaxEntry));
    const QList<quint32> codes = SelectedCodes();
    Action(QStringLiteral("editEntry"))->setEnabled(codes.size() == 1);
    Action(QStringLiteral("copy"))->setEnabled(!codes.isEmpty());
    Action(QStringLiteral("delete"))->setEnabled(!codes.isEmpty());
    Action(QStringLiteral("paste"))->setEnabled(m_tree->CanPasteInto(m_tree->GetNodeType()));
}

void CMainFrame::OpenHelpIndex() { lqa::openHelpTopic(kHelpIndexTopic); }

void CMainFrame::OpenEnvironmentSettings() {
    EnvironmentDialog dialog(m_doc.Settings(), this);
    connect(&dialog, &EnvironmentDialog::helpRequested, this, [](int topic) { lqa::openHelpTopic(topic); });
    dialog.exec();
}
