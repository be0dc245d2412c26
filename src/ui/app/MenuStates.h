#pragma once

#include <QString>
#include <QStringList>

#include "ui/common/DocumentWindow.h"

// Which document commands the main window enables for the active child window: everything for
// a synchronised sound browser, the file commands and Rename for a synchronised group editor,
// Save and Save As for a sound editor, nothing otherwise.
class MenuStates {
  public:
    // The menu items and toolbar keys that clearing the menus disables.
    static QStringList DocumentMenuItems();
    static QStringList DocumentToolbarKeys();

    // The items and keys enabled for the active child; none when nothing synchronised is active.
    static QStringList EnabledMenuItems(const DocumentWindow* active);
    static QStringList EnabledToolbarKeys(const DocumentWindow* active);
};
