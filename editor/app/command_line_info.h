// The editor's command line: the connection switches "USB" and "NET <address>"
// and the PC fax address book file to open.
#pragma once

#include <QString>
#include <QStringList>

class CLQACommandLineInfo {
public:
    // What the start-up does with the document.
    enum ShellCommand { FileNew, FileOpen };

    // Parses every argument after the program name.
    void ParseCommandLine(const QStringList &arguments);

    // One argument. `isSwitch` when it was introduced by "/" or "-", which
    // `text` no longer carries.
    void ParseParam(const QString &text, bool isSwitch, bool isLast);

    bool afterNetSwitch = false;
    qint32 connection = -1;  // -1 none given, 0 USB, 1 NET
    QString address;
    ShellCommand shellCommand = FileNew;
    QString fileName;

private:
    void ParseStandardParam(const QString &text, bool isSwitch);
};
