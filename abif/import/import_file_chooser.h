// How the import asks for a file to read. Behind an interface so that the
// wizard runs headless and tests can script the choice.
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace abif {

class ImportFileChooser {
public:
    virtual ~ImportFileChooser() = default;
    // `filter` in the library's form: "description|pattern|...||". Nothing
    // when the person cancelled.
    virtual std::optional<QString> chooseFile(QWidget *owner, const QString &filter, const QString &defaultSuffix,
                                              const QString &start) = 0;
};

// The file-open dialog, or the replacement set for tests.
ImportFileChooser &importFileChooser();
void setImportFileChooser(ImportFileChooser *chooser);

// "CSV File (*.csv)|*.csv|All Files (*.*)|*.*||" as a file dialog's name
// filters: one per description and pattern pair.
[[nodiscard]] QStringList nameFilters(const QString &filter);

}  // namespace abif
