#include "app/document_template.h"

#include <QWidget>

void DocumentTemplate::BringToFront() { BringWindowToFront(MainWindow()); }

void BringWindowToFront(QWidget *window) {
    if (!window || !window->isVisible()) return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}
