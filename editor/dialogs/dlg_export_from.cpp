#include "dialogs/dlg_export_from.h"

#include "text/editor_text.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Room for any path the system accepts.
constexpr int kMaxPathChars = 4095;

}  // namespace

CDlgExportFrom::CDlgExportFrom(bool machineAvailable, DocumentPrompt &prompt, QWidget *parent)
    : QDialog(parent),
      m_prompt(prompt),
      m_fax(new QRadioButton(lqa::loadText(lqa::ids::ExportChoiceFax))),
      m_pcFax(new QRadioButton(lqa::loadText(lqa::ids::ExportChoicePcFax))),
      m_file(new CDlgCtrlEdit(kMaxPathChars)),
      m_browse(new QPushButton(lqa::loadText(lqa::ids::ExportBrowse))) {
    const QString title = lqa::loadText(lqa::ids::ExportTitle);
    setWindowTitle(title);

    auto *heading = new QLabel(title);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto *sources = new QGroupBox(lqa::loadText(lqa::ids::ExportSourceGroup));
    auto *sourceLayout = new QVBoxLayout(sources);
    for (QRadioButton *choice : {m_fax, m_pcFax}) sourceLayout->addWidget(choice);
    m_fax->setEnabled(machineAvailable);
    (machineAvailable ? m_fax : m_pcFax)->setChecked(true);

    auto *fileLabel = new QLabel(lqa::loadText(lqa::ids::ExportFileLabel));
    fileLabel->setBuddy(m_file);
    m_file->setAcceptDrops(true);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);

    auto *buttons = new QDialogButtonBox;
    m_start = buttons->addButton(lqa::loadText(lqa::ids::ExportStart), QDialogButtonBox::AcceptRole);
    buttons->addButton(lqa::loadText(lqa::ids::ExportCancel), QDialogButtonBox::RejectRole);
    buttons->addButton(lqa::loadText(lqa::ids::ExportHelp), QDialogButtonBox::HelpRole);
    m_start->setDefault(true);
    m_start->setEnabled(false);

    connect(m_file, &QLineEdit::textChanged, this, [this](const QString &text) { m_start->setEnabled(!text.isEmpty()); });
    connect(m_browse, &QPushButton::clicked, this, &CDlgExportFrom::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgExportFrom::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(sources);
    layout->addLayout(fileRow);
    layout->addWidget(buttons);
}

void CDlgExportFrom::Browse() {
    const QString chosen = m_prompt.chooseFile({FileChoice::Save, lqa::loadText(lqa::ids::FilterCsvFile),
                                                lqa::loadText(lqa::ids::SuffixCsv), m_file->text()});
    if (!chosen.isEmpty()) m_file->setText(chosen);
}

void CDlgExportFrom::accept() {
    m_exportFileName = m_file->text();
    m_exportSource = m_fax->isChecked() ? ExportSourceAioFax : ExportSourcePcFax;
    QDialog::accept();
}
