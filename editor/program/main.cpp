// The editor program: one editor per user, with its document and main window.
#include "program/linquara_main.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    return RunLinquara();
}
