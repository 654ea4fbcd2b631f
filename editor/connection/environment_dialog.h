// The Environmental Settings: how new speed dial IDs are given, when the
// search runs, and bringing back the start-up question and the caution.
#pragma once

#include "connection/connection_settings.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

class EnvironmentDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpTopic = 1010;

    explicit EnvironmentDialog(ConnectionSettings &settings, QWidget *parent = nullptr);

    // Writes the choices; Cancel writes nothing.
    void accept() override;

    [[nodiscard]] QRadioButton *SmallestButton() const { return m_smallest; }
    [[nodiscard]] QRadioButton *LargestButton() const { return m_largest; }
    [[nodiscard]] QRadioButton *RealTimeButton() const { return m_realTime; }
    [[nodiscard]] QRadioButton *OnEnterButton() const { return m_onEnter; }
    [[nodiscard]] QPushButton *ResetButton() const { return m_reset; }

signals:
    void helpRequested(int topic);

private:
    ConnectionSettings &m_settings;
    QRadioButton *m_smallest;
    QRadioButton *m_largest;
    QRadioButton *m_realTime;
    QRadioButton *m_onEnter;
    QPushButton *m_reset;
    bool m_resetMarked = false;
};
