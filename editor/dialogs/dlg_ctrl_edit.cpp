#include "dialogs/dlg_ctrl_edit.h"

#include "dialogs/field_rules.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QToolTip>
#include <QValidator>

#include <functional>

namespace {

// Refuses every edit that would break the field's limits; the refusal of a
// too long text is reported after the edit was turned down.
class LimitValidator : public QValidator {
public:
    LimitValidator(int maxChars, bool digitsOnly, std::function<void()> onTooLong, QObject *parent)
        : QValidator(parent), m_maxChars(maxChars), m_digitsOnly(digitsOnly), m_onTooLong(std::move(onTooLong)) {}

    State validate(QString &input, int &) const override {
        if (m_digitsOnly && !CheckCharacters(input, {}, CharDigits)) return Invalid;
        if (input.size() > m_maxChars) {
            QMetaObject::invokeMethod(parent(), m_onTooLong, Qt::QueuedConnection);
            return Invalid;
        }
        return Acceptable;
    }

private:
    int m_maxChars;
    bool m_digitsOnly;
    std::function<void()> m_onTooLong;
};

void showNote(QWidget *field, const QString &message) {
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), message, field);
}

}  // namespace

CDlgCtrlEdit::CDlgCtrlEdit(int maxChars, Content content, QWidget *parent)
    : QLineEdit(parent), m_maxChars(maxChars) {
    setValidator(new LimitValidator(maxChars, content == DigitsOnly, [this] { RefuseLongInput(); }, this));
}

void CDlgCtrlEdit::RefuseLongInput() {
    const QString message = LengthLimitText(m_maxChars);
    showNote(this, message);
    emit inputRefused(message);
}

void CDlgCtrlEdit::dragEnterEvent(QDragEnterEvent *event) {
    if (!isReadOnly() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void CDlgCtrlEdit::dropEvent(QDropEvent *event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (isReadOnly() || urls.isEmpty() || !urls.first().isLocalFile()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // Through the edit path, so that the field's limits still apply.
    selectAll();
    insert(urls.first().toLocalFile());
    event->acceptProposedAction();
}

CDlgCtrlNote::CDlgCtrlNote(int maxChars, QWidget *parent) : QPlainTextEdit(parent), m_maxChars(maxChars) {
    connect(this, &QPlainTextEdit::textChanged, this, &CDlgCtrlNote::KeepWithinLimit);
}

void CDlgCtrlNote::KeepWithinLimit() {
    const QString text = toPlainText();
    if (text.size() <= m_maxChars) {
        m_accepted = text;
        return;
    }
    const int position = std::min<int>(textCursor().position() - (text.size() - m_accepted.size()), m_accepted.size());
    setPlainText(m_accepted);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::max(position, 0));
    setTextCursor(cursor);
    const QString message = LengthLimitText(m_maxChars);
    showNote(this, message);
    emit inputRefused(message);
}
