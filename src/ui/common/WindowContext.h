#pragma once

#include "ui/common/SoundEditor.h"

class EventPump;
class FileDialogs;
class LibraryDocuments;
class MessageSink;
class ModuleMIDI;
class SettingsStore;
class ShellServices;

// Everything a child window needs from the program, handed to it when it is made. All of it
// outlives every window.
struct WindowContext {
    ModuleMIDI& midi;
    MessageSink& messages;
    SettingsStore& store;
    EventPump& pump;
    FileDialogs& dialogs;
    LibraryDocuments& library;
    ShellServices& shell;
    // Makes the editor windows that the sound browser opens.
    SoundEditorFactory editors;
};
