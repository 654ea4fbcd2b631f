// The export-source dialog: which book to export and the CSV file to write.
// The machine's fax book can be chosen only when machine data is at hand; the
// export starts only once a file is named, typed, dropped or browsed for.
#pragma once

#include "dialogs/dlg_ctrl_edit.h"
#include "document/document_prompt.h"
#include "document/export_source_chooser.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

class CDlgExportFrom : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1013;

    CDlgExportFrom(bool machineAvailable, DocumentPrompt &prompt, QWidget *parent = nullptr);

    // The choice made; valid after the dialog was accepted.
    [[nodiscard]] qint32 ExportSource() const { return m_exportSource; }
    [[nodiscard]] const QString &ExportFileName() const { return m_exportFileName; }

    void accept() override;

    [[nodiscard]] QRadioButton *FaxChoice() const { return m_fax; }
    [[nodiscard]] QRadioButton *PcFaxChoice() const { return m_pcFax; }
    [[nodiscard]] CDlgCtrlEdit *FileField() const { return m_file; }
    [[nodiscard]] QPushButton *BrowseButton() const { return m_browse; }
    [[nodiscard]] QPushButton *StartButton() const { return m_start; }

signals:
    void helpRequested(int topic);

private:
    void Browse();

    DocumentPrompt &m_prompt;
    QRadioButton *m_fax;
    QRadioButton *m_pcFax;
    CDlgCtrlEdit *m_file;
    QPushButton *m_browse;
    QPushButton *m_start;
    qint32 m_exportSource = ExportSourcePcFax;
    QString m_exportFileName;
};
