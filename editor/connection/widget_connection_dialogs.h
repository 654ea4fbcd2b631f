// The connection dialogs as the desktop shows them.
#pragma once

#include "connection/connection_dialogs.h"

#include <functional>
#include <utility>

class QWidget;

class WidgetConnectionDialogs : public ConnectionDialogs {
public:
    // `openHelp` opens the help file at a topic.
    WidgetConnectionDialogs(QWidget *parent, std::function<void(int)> openHelp)
        : m_parent(parent), m_openHelp(std::move(openHelp)) {}

    bool ChooseMethod(ConnectionContext &context) override;
    bool ShowCaution() override;

private:
    QWidget *m_parent;
    std::function<void(int)> m_openHelp;
};
