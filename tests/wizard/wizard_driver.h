// Helpers of the wizard tests: fixture files, the pages' controls by name,
// and moving through the pages as a person would.
#pragma once

#include "import/import_wizard.h"
#include "imports/import_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>

namespace wizard {

template <class T> T *control(QWidget &wizard, const char *name) {
    return wizard.findChild<T *>(QString::fromLatin1(name));
}

inline void click(QWidget &wizard, const char *name) { control<QAbstractButton>(wizard, name)->click(); }

inline void next(abif::CImportWizard &wizard) { wizard.button(QWizard::NextButton)->click(); }

// A scratch folder with the files a test writes.
class Files {
public:
    QString write(const char *name, const QByteArray &bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        imports::writeFile(path, bytes);
        return path;
    }
    [[nodiscard]] QString path(const char *name) const { return dir_.filePath(QString::fromLatin1(name)); }

private:
    QTemporaryDir dir_;
};

}  // namespace wizard
