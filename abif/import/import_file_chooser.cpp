#include "import/import_file_chooser.h"

#include <QFileDialog>

#include <atomic>

namespace abif {

namespace {

class DialogChooser final : public ImportFileChooser {
public:
    std::optional<QString> chooseFile(QWidget *owner, const QString &filter, const QString &defaultSuffix,
                                      const QString &start) override {
        QFileDialog dialog(owner, {}, start);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(nameFilters(filter));
        dialog.setDefaultSuffix(defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

std::atomic<ImportFileChooser *> replacement{nullptr};

}  // namespace

ImportFileChooser &importFileChooser() {
    static DialogChooser dialog;
    ImportFileChooser *chooser = replacement.load();
    return chooser ? *chooser : dialog;
}

void setImportFileChooser(ImportFileChooser *chooser) { replacement.store(chooser); }

QStringList nameFilters(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        // The description names its patterns already in most languages;
        // the dialog needs them in parentheses to filter by.
        filters << (parts[i].contains(u'(') ? parts[i] : parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return filters;
}

}  // namespace abif
