#include "ui/dlg_search.h"

#include "text/editor_text.h"
#include "ui/list_search.h"
#include "ui/match_words.h"
#include "ui/widget_prompt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kModeTexts[kSearchModeCount] = {lqa::ids::ModeAnyWord, lqa::ids::ModeAllWords, lqa::ids::ModeNoWord,
                                              lqa::ids::ModeStartsWith, lqa::ids::ModeEndsWith};

QLabel *labelFor(int textId, QWidget *buddy) {
    auto *label = new QLabel(lqa::loadText(textId));
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CDlgSearch::CDlgSearch(CLqaSearchTarget &target, DocumentPrompt *prompt, QWidget *parent)
    : QDialog(parent),
      m_target(target),
      m_ownPrompt(prompt ? nullptr : std::make_unique<WidgetPrompt>(this)),
      m_prompt(prompt ? prompt : m_ownPrompt.get()),
      m_text(new QLineEdit),
      m_mode(new QComboBox),
      m_up(new QRadioButton(lqa::loadText(lqa::ids::SearchUpButton))),
      m_down(new QRadioButton(lqa::loadText(lqa::ids::SearchDownButton))),
      m_next(new QPushButton(lqa::loadText(lqa::ids::SearchNextButton))),
      m_clear(new QPushButton(lqa::loadText(lqa::ids::SearchClearButton))),
      m_help(new QPushButton(lqa::loadText(lqa::ids::SearchHelpButton))),
      m_close(new QPushButton(lqa::loadText(lqa::ids::SearchCloseButton))) {
    setWindowTitle(lqa::loadText(lqa::ids::SearchTitle));
    setModal(false);
    m_text->setMaxLength(kMaxTextLength);
    for (int textId : kModeTexts) m_mode->addItem(lqa::loadText(textId));
    m_next->setDefault(true);
    for (QPushButton *button : {m_clear, m_help, m_close}) button->setAutoDefault(false);

    auto *direction = new QGroupBox(lqa::loadText(lqa::ids::SearchDirectionGroup));
    auto *directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    directionLayout->addStretch();

    auto *fields = new QGridLayout;
    fields->addWidget(labelFor(lqa::ids::SearchTextLabel, m_text), 0, 0);
    fields->addWidget(m_text, 0, 1);
    fields->addWidget(labelFor(lqa::ids::SearchOptionsLabel, m_mode), 1, 0);
    fields->addWidget(m_mode, 1, 1);
    fields->addWidget(direction, 2, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_next, m_clear, m_help, m_close}) buttons->addWidget(button);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &text) { m_next->setEnabled(!text.isEmpty()); });
    connect(m_next, &QPushButton::clicked, this, &CDlgSearch::FindNextRow);
    connect(m_clear, &QPushButton::clicked, this, &CDlgSearch::ClearSearch);
    connect(m_help, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpTopic); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    ClearSearch();
}

CDlgSearch::~CDlgSearch() = default;

CDlgSearch *CDlgSearch::Open(QPointer<CDlgSearch> &open, CLqaSearchTarget &target, QWidget *parent,
                             DocumentPrompt *prompt) {
    // A dialog already closed waits for its deletion; it is not reopened.
    if (!open || !open->isVisible()) {
        open = new CDlgSearch(target, prompt, parent);
        // Escape, Close and the window's close box all end here.
        connect(open, &QDialog::finished, open, &QObject::deleteLater);
        // Polished and laid out first, so that the size it is centred with is final.
        open->ensurePolished();
        open->adjustSize();
        open->CentreOnScreen();
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

void CDlgSearch::FindNextRow() {
    const QString text = m_text->text();
    if (text.isEmpty()) return;
    CLqaSearchRequest request;
    request.text = text;
    request.mode = m_mode->currentIndex();
    request.down = !m_up->isChecked();
    // The dialog offers no case choice.
    request.caseSensitive = false;
    request.fromStart = false;
    while (!FindNext(m_target, request)) {
        const PromptAnswer answer = m_prompt->message(lqa::loadText(lqa::ids::SearchWrapQuestion), PromptButtons::YesNo,
                                                      PromptIcon::Question);
        if (answer != PromptAnswer::Yes) return;
        request.fromStart = true;
    }
}

void CDlgSearch::ClearSearch() {
    m_down->setChecked(true);
    m_mode->setCurrentIndex(SearchAnyWord);
    m_text->clear();
    m_next->setEnabled(false);
    m_text->setFocus();
}

void CDlgSearch::CentreOnScreen() {
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame is not known before the window is shown; the client area is
    // centred, and the frame then grows around it.
    QRect client = geometry();
    client.moveCenter(screen->availableGeometry().center());
    setGeometry(client);
}
