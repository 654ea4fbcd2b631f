#include "program/linquara_main.h"

#include "app/linquara_app.h"
#include "document/linquara_doc.h"
#include "frame/frame_icons.h"
#include "program/linquara_template.h"
#include "ui/program_icons.h"

#include <QApplication>

int RunLinquara() {
    QGuiApplication::setDesktopFileName(QStringLiteral(LINQUARA_APP_ID));
    lqa::useInstalledIconTheme();
    QApplication::setWindowIcon(lqa::applicationIcon());

    LinquaraTemplate *documentTemplate = nullptr;
    CLinquaraApp app([&documentTemplate](CLinquaraApp &owner) {
        auto made = std::make_unique<LinquaraTemplate>(owner);
        documentTemplate = made.get();
        return made;
    });
    if (!app.InitInstance()) {
        const bool cancelled = documentTemplate && documentTemplate->ConnectionCancelled();
        return cancelled ? CLinquaraDoc::kExitConnectionCancelled : 0;
    }
    return QApplication::exec();
}
