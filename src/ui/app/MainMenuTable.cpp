#include "ui/app/MainMenuTable.h"

#include <string_view>

namespace MainMenuTable {
namespace {
using DW = DocumentWindow;
using SC = ShellCommand;
constexpr ShellCommand kNoShell = SC::Exit;

constexpr MenuEntry Menu(const char* parent, const char* name, const char* caption,
                         bool enabled = true) {
    return {Entry::Menu, parent, name, caption, "", enabled, Route::None, nullptr, kNoShell};
}
constexpr MenuEntry Separator(const char* parent) {
    return {Entry::Separator, parent, nullptr, nullptr, "", true, Route::None, nullptr, kNoShell};
}
constexpr MenuEntry Document(const char* parent, const char* name, const char* caption, Route route,
                             DW::Command command, const char* shortcut = "") {
    // Items of the menus the main window disables start off; the Edit menu's sound submenu
    // is switched as a whole, and the context menus only show over a browser.
    const bool enabled = route == Route::ToSounds || route == Route::ToGroups ||
                         std::string_view(parent) == "MenuEditSoundMenu";
    return {Entry::Item, parent, name, caption, shortcut, enabled, route, command, kNoShell};
}
constexpr MenuEntry Shell(const char* parent, const char* name, const char* caption,
                          ShellCommand command) {
    return {Entry::Item, parent, name, caption, "", true, Route::Shell, nullptr, command};
}
constexpr MenuEntry Inactive(const char* parent, const char* name, const char* caption,
                             const char* shortcut) {
    return {Entry::Item, parent, name, caption, shortcut, false, Route::None, nullptr, kNoShell};
}

// The document items start disabled; the menus follow the active window from then on.
constexpr MenuEntry kMenus[] = {
    Menu(kMenuBar, "MenuFile", "File"),
    Document("MenuFile", "MenuFileNew", "New", Route::Active, &DW::DocumentNew, "Ctrl+N"),
    Document("MenuFile", "MenuFileOpen", "Open", Route::Active, &DW::DocumentOpen, "Ctrl+O"),
    Document("MenuFile", "MenuFileSave", "Save", Route::Active, &DW::DocumentSave, "Ctrl+S"),
    Document("MenuFile", "MenuFileSaveAs", "Save as...", Route::Active, &DW::DocumentSaveAs),
    Separator("MenuFile"),
    Document("MenuFile", "MenuFileOpenAll", "Open All", Route::Active, &DW::OpenAll),
    Document("MenuFile", "MenuFileSaveAll", "Save All", Route::Active, &DW::SaveAll),
    Separator("MenuFile"),
    Shell("MenuFile", "MenuFileExit", "Exit", SC::Exit),

    Menu(kMenuBar, "MenuEdit", "Edit"),
    Inactive("MenuEdit", "MenuEditUndo", "Undo", "Ctrl+Z"),
    Inactive("MenuEdit", "MenuEditRedo", "Redo", "Ctrl+Shift+Z"),
    Separator("MenuEdit"),
    Document("MenuEdit", "MenuEditRename", "Rename", Route::Active, &DW::DocumentRename, "F2"),
    Document("MenuEdit", "MenuEditRefresh", "Refresh Synth", Route::ActiveSound, &DW::SoundRefresh,
             "F5"),
    Separator("MenuEdit"),
    Menu("MenuEdit", "MenuEditSound", "Sound", false),
    Document("MenuEditSoundMenu", "MenuEditSoundEditNodes", "Edit Nodes", Route::ActiveSound,
             &DW::SoundEditNodes),
    Document("MenuEditSoundMenu", "MenuEditSoundEditEnvelopes", "Edit Envelopes",
             Route::ActiveSound, &DW::SoundEditEnvelope),
    Document("MenuEditSoundMenu", "MenuEditSoundEditLfo", "Edit LFO", Route::ActiveSound,
             &DW::SoundEditLfo),
    Document("MenuEditSoundMenu", "MenuEditSoundEditModulation", "Edit Modulation",
             Route::ActiveSound, &DW::SoundEditModulation),
    Document("MenuEditSoundMenu", "MenuEditSoundEditAll", "Edit All", Route::ActiveSound,
             &DW::SoundEditAll, "Ctrl+A"),
    Shell("MenuEdit", "MenuEditVary", "Vary...", SC::Vary),

    Menu(kMenuBar, "MenuView", "View"),
    Shell("MenuView", "MenuViewSounds", "Sounds", SC::ViewSounds),
    Shell("MenuView", "MenuViewGroups", "Groups", SC::ViewGroups),
    Shell("MenuView", "MenuViewUtility", "Utility", SC::ViewUtility),
    Shell("MenuView", "MenuViewAudition", "Audition", SC::ViewAudition),
    Shell("MenuView", "MenuViewMidiMonitor", "MIDI Monitor", SC::ViewMidiMonitor),
    Shell("MenuView", "MenuViewLibrary", "Library", SC::ViewLibrary),
    Shell("MenuView", "MenuViewSettings", "Settings", SC::ViewSettings),

    Menu(kMenuBar, "MenuWin", "Window"),
    Shell("MenuWin", "MenuWinCloseAll", "Close All", SC::CloseAll),
    Shell("MenuWin", "MenuWinCascade", "Cascade", SC::Cascade),
    Shell("MenuWin", "MenuWinTileHorizonal", "Tile Horizontally", SC::TileHorizontally),
    Shell("MenuWin", "MenuWinTileVertical", "Tile Vertically", SC::TileVertically),

    Menu(kMenuBar, "MenuHelp", "Help"),
    Shell("MenuHelp", "MenuHelpContents", "Contents", SC::Contents),
    Separator("MenuHelp"),
    Shell("MenuHelp", "MenuHelpAbout", "About...", SC::About),

    Menu(kContext, "MenuSound", "Sound"),
    Menu("MenuSound", "MenuSoundEdit", "Edit"),
    Document("MenuSoundEditMenu", "MenuSoundEditAll", "All", Route::ToSounds, &DW::SoundEditAll),
    Document("MenuSoundEditMenu", "MenuSoundEditNodes", "Nodes", Route::ToSounds,
             &DW::SoundEditNodes),
    Document("MenuSoundEditMenu", "MenuSoundEditEnvelopes", "Envelopes", Route::ToSounds,
             &DW::SoundEditEnvelope),
    Document("MenuSoundEditMenu", "MenuSoundEditLfo", "LFO", Route::ToSounds, &DW::SoundEditLfo),
    Document("MenuSoundEditMenu", "MenuSoundEditModulation", "Modulation", Route::ToSounds,
             &DW::SoundEditModulation),
    Document("MenuSound", "MenuSoundVary", "Vary...", Route::ToSounds, &DW::SoundVary),
    Document("MenuSound", "MenuSoundRename", "Rename", Route::ToSounds, &DW::DocumentRename),
    Separator("MenuSound"),
    Document("MenuSound", "MenuSoundNew", "New", Route::ToSounds, &DW::DocumentNew),
    Document("MenuSound", "MenuSoundOpen", "Open", Route::ToSounds, &DW::DocumentOpen),
    Document("MenuSound", "MenuSoundSaveAs", "Save as...", Route::ToSounds, &DW::DocumentSaveAs),
    Separator("MenuSound"),
    Document("MenuSound", "MenuSoundRefresh", "Refresh Synth", Route::ToSounds, &DW::SoundRefresh),

    Menu(kContext, "MenuGroup", "Group"),
    Document("MenuGroup", "MenuGroupRename", "Rename", Route::ToGroups, &DW::DocumentRename),
    Separator("MenuGroup"),
    Document("MenuGroup", "MenuGroupNew", "New", Route::ToGroups, &DW::DocumentNew),
    Document("MenuGroup", "MenuGroupOpen", "Open", Route::ToGroups, &DW::DocumentOpen),
    Document("MenuGroup", "MenuGroupSaveAs", "Save As...", Route::ToGroups, &DW::DocumentSaveAs),
};

// In three groups: files, windows, sound editors.
constexpr ToolbarButton kToolbarButtons[] = {
    {"New", "New", "MenuFileNew"},
    {"Open", "Open", "MenuFileOpen"},
    {"Save", "Save", "MenuFileSave"},
    {nullptr, nullptr, nullptr},
    {"Sounds", "Show Sound Browser Window", "MenuViewSounds"},
    {"Groups", "Show Group Editor Window", "MenuViewGroups"},
    {"Audition", "Show Audition Window", "MenuViewAudition"},
    {"Library", "Show Library Window", "MenuViewLibrary"},
    {nullptr, nullptr, nullptr},
    {"Nodes", "Edit Sound Nodes", "MenuEditSoundEditNodes"},
    {"Lfo", "Edit Sound LFO", "MenuEditSoundEditLfo"},
    {"Modulation", "Edit Sound Modulation Matrix", "MenuEditSoundEditModulation"},
    {"Envelopes", "Edit Sound Envelopes", "MenuEditSoundEditEnvelopes"},
    {"Vary", "Vary Sound", "MenuEditVary"},
};
}  // namespace

std::span<const MenuEntry> Menus() {
    return kMenus;
}

std::span<const ToolbarButton> ToolbarButtons() {
    return kToolbarButtons;
}

}  // namespace MainMenuTable
