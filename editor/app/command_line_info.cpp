#include "app/command_line_info.h"

namespace {

const QString kNet = QStringLiteral("NET");
const QString kUsb = QStringLiteral("USB");

// "-" always introduces a switch. "/" only does for the editor's own switches:
// everywhere else it starts an absolute path, which is a file to open.
bool splitSwitch(const QString &argument, QString &text) {
    if (argument.startsWith(QLatin1Char('-'))) {
        text = argument.mid(1);
        return true;
    }
    if (argument.startsWith(QLatin1Char('/'))) {
        const QString name = argument.mid(1);
        if (name == kNet || name == kUsb) {
            text = name;
            return true;
        }
    }
    text = argument;
    return false;
}

}  // namespace

void CLQACommandLineInfo::ParseCommandLine(const QStringList &arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString text;
        const bool isSwitch = splitSwitch(arguments[i], text);
        ParseParam(text, isSwitch, i + 1 == arguments.size());
    }
}

void CLQACommandLineInfo::ParseParam(const QString &text, bool isSwitch, bool /*isLast*/) {
    if (isSwitch && text == kNet) {
        afterNetSwitch = true;
        connection = 1;
        return;
    }
    if (isSwitch && text == kUsb) {
        connection = 0;
        return;
    }
    if (!isSwitch && afterNetSwitch && address.isEmpty()) address = text;
    ParseStandardParam(text, isSwitch);
}

// The first plain argument is the document to open; no other switch means
// anything to this program.
void CLQACommandLineInfo::ParseStandardParam(const QString &text, bool isSwitch) {
    if (isSwitch || !fileName.isEmpty() || text.isEmpty()) return;
    fileName = text;
    shellCommand = FileOpen;
}
