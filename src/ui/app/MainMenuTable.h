#pragma once

#include <span>

#include "ui/common/DocumentWindow.h"

// The main window's menus, context menus and toolbar as data: every item's place, name,
// caption, shortcut, initial state and where its command goes. The main window builds its
// actions from these tables and keeps only the wiring.
namespace MainMenuTable {

// The main window's own commands.
enum class ShellCommand {
    Exit,
    ViewSounds,
    ViewGroups,
    ViewUtility,
    ViewAudition,
    ViewMidiMonitor,
    ViewLibrary,
    ViewSettings,
    CloseAll,
    Cascade,
    TileHorizontally,
    TileVertically,
    Contents,
    About,
    Vary,
};

enum class Route {
    None,         // no action here (Undo and Redo are wired by UndoMenu, Contents)
    Active,       // a document command for the active browser
    ActiveSound,  // a document command only the active sound browser takes
    ToSounds,     // a context-menu command for the sound browser, opened when needed
    ToGroups,     // a context-menu command for the group editor, opened when needed
    Shell,        // one of the main window's own commands
};

enum class Entry { Menu, Item, Separator };

// Where a menu stands: in the menu bar, as a hidden context menu, or inside another menu.
inline constexpr const char* kMenuBar = nullptr;
inline constexpr const char* kContext = "";

struct MenuEntry {
    Entry entry;
    // The menu the entry belongs to (a menu's object name), or kMenuBar / kContext for menus.
    const char* parent;
    // Object name: of the action, or of a menu in the bar or a context menu. A submenu's own
    // object name is this name followed by "Menu"; its action carries the name.
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
    Route route;
    DocumentWindow::Command document;
    ShellCommand shell;
};

struct ToolbarButton {
    // Null for a separator between the button groups.
    const char* key;
    const char* tooltip;
    // The menu item whose command the button runs.
    const char* menuItem;
};

std::span<const MenuEntry> Menus();
std::span<const ToolbarButton> ToolbarButtons();

}  // namespace MainMenuTable
