// The frame's commands by name and the drop-down menus of its toolbar.
#pragma once

#include "frame/main_frame.h"

#include <QHash>
#include <QString>

struct CMainFrame::Actions {
    QHash<QString, QAction *> byName;
    QMenu *saveMenu = nullptr;        // Save All's drop-down
    QMenu *newMachineMenu = nullptr;  // New (Machine Address Book)'s drop-down
    QMenu *newPcFaxMenu = nullptr;    // New (PC Fax Address Book)'s drop-down
    QMenu *sortMenu = nullptr;
};
