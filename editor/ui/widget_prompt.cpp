#include "ui/widget_prompt.h"

#include "text/editor_text.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QString caption() { return lqa::loadText(lqa::ids::AppTitle); }

QMessageBox::StandardButtons standardButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon messageIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

PromptAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace

QStringList QtNameFilters(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*")).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of the text.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) description.truncate(open);
        filters.append(description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

PromptAnswer WidgetPrompt::message(const QString &text, PromptButtons buttons, PromptIcon icon) {
    QMessageBox box(messageIcon(icon), caption(), text, standardButtons(buttons), m_parent);
    return answerOf(box.exec());
}

QString WidgetPrompt::chooseFile(const FileChoice &choice) {
    QFileDialog dialog(m_parent);
    dialog.setWindowTitle(caption());
    const bool save = choice.mode == FileChoice::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(choice.filter));
    dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.initialPath.isEmpty()) dialog.selectFile(choice.initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}
