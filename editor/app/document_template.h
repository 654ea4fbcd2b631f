// Where the document and its main window plug into the start-up: the
// application creates them through this interface and routes the requests
// of other editor processes to them.
#pragma once

#include <QString>

class QWidget;

class DocumentTemplate {
public:
    virtual ~DocumentTemplate() = default;

    // Creates the document and its main window and opens `fileName`, or
    // starts with a new document when it is empty. False ends the start-up.
    virtual bool OpenDocumentFile(const QString &fileName) = 0;

    // Shows the main window normally.
    virtual void ShowMainWindow() = 0;

    // The main window; null until OpenDocumentFile has created it.
    virtual QWidget *MainWindow() = 0;

    // A second start wants the editor: restore the main window when it is
    // visible and bring it to the front.
    virtual void BringToFront();

    // A later start named a PC fax file (`path` is absolute): bring the main
    // window to the front and open the file as the Open command would,
    // asking first when the book is modified.
    virtual void OpenFileFromSecondStart(const QString &path) = 0;

    // A request from outside to close the main window: false (and nothing
    // done) when the document is busy, else the window is asked to close.
    virtual bool RequestClose() = 0;
};

// Restores `window` from the minimised state when it is visible, keeping it
// maximised if it was, and brings it to the front.
void BringWindowToFront(QWidget *window);
