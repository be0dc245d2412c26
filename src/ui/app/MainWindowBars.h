#pragma once

#include <QString>
#include <functional>
#include <map>
#include <utility>

#include "ui/app/MainMenuTable.h"

class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;

// Builds the main window's menu bar, context menus, toolbar and status bar panels from the
// tables, so the main window itself keeps only the wiring.
namespace MainWindowBars {

struct Menus {
    QMenu* sound = nullptr;
    QMenu* group = nullptr;
    // The command of each menu item that has one, by the item's object name.
    std::map<QString, std::function<void()>> commands;
};

// commandOf gives each item's command (empty for an item without one).
using CommandOf = std::function<std::function<void()>(const MainMenuTable::MenuEntry&)>;
Menus BuildMenus(QMainWindow& window, const CommandOf& commandOf);

QToolBar* BuildToolbar(QMainWindow& window, const std::function<void(const QString& key)>& click);

// The "Send" and "Recieve" panels.
std::pair<QLabel*, QLabel*> BuildStatusBar(QMainWindow& window);

}  // namespace MainWindowBars
