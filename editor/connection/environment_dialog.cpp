#include "connection/environment_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QGroupBox *groupOf(const QString &title, QRadioButton *first, QRadioButton *second) {
    auto *group = new QGroupBox(title);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

}  // namespace

EnvironmentDialog::EnvironmentDialog(ConnectionSettings &settings, QWidget *parent)
    : QDialog(parent),
      m_settings(settings),
      m_smallest(new QRadioButton(QStringLiteral("Start from the next available &smallest Speed Dial ID"))),
      m_largest(new QRadioButton(QStringLiteral("Start from the next available &largest Speed Dial ID"))),
      m_realTime(new QRadioButton(QStringLiteral("Real-&time"))),
      m_onEnter(new QRadioButton(QStringLiteral("Press &Enter to Start"))),
      m_reset(new QPushButton(QStringLiteral("Reset \"&Do not show this message again\""))) {
    setWindowTitle(QStringLiteral("Environmental Settings"));
    const EnvironmentRecord config = settings.Config();
    (config.speedDialAssignment == 2 ? m_largest : m_smallest)->setChecked(true);
    (config.searchMode == 0 ? m_onEnter : m_realTime)->setChecked(true);
    m_reset->setEnabled(settings.ConTypeSave() != 0);
    connect(m_reset, &QPushButton::clicked, this, [this] {
        m_resetMarked = true;
        m_reset->setEnabled(false);
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { emit helpRequested(kHelpTopic); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(groupOf(QStringLiteral("New Speed Dial Assignment"), m_smallest, m_largest));
    layout->addWidget(groupOf(QStringLiteral("Search Setup"), m_realTime, m_onEnter));
    layout->addWidget(m_reset);
    layout->addWidget(buttons);
}

void EnvironmentDialog::accept() {
    const qint32 doNotShow = (m_resetMarked || m_settings.ConTypeSave() == 0) ? 0 : 1;
    EnvironmentRecord config = m_settings.Config();
    config.searchMode = m_realTime->isChecked() ? 1 : 0;
    config.speedDialAssignment = m_largest->isChecked() ? 2 : 1;
    // A reset brings back the caution with the start-up question; otherwise
    // the caution stays as the person last answered it.
    if (m_resetMarked) config.cautionFlags &= ~kCautionSwitchedOff;
    m_settings.WriteConfig(config);
    m_settings.WriteConTypeSave(doNotShow);
    QDialog::accept();
}
