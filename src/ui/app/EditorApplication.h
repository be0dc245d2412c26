#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/SessionSettingsStore.h"
#include "platform/SteadyClock.h"
#include "ui/app/ExecModalRunner.h"
#include "ui/app/QtEventPump.h"
#include "ui/app/QtMessageSink.h"
#include "ui/common/FolderMemoryDialogs.h"
#include "ui/common/PresetFileDialogs.h"
#include "ui/common/QtFileDialogs.h"

class DeviceWatch;
class QAction;
class EmulatorMidiDriver;
class LibraryDocuments;
struct WindowContext;
class MDIFormMain;
class MidiDriver;
class ModuleMIDI;
class QTimer;
class QWidget;
class SettingsStore;
class UndoMenu;

// The editor put together: the MIDI devices (the in-process virtual ZEL-1 first, then the
// platform's devices), the link to the synth, the settings store, message boxes and the main
// window. It keeps the virtual ZEL-1's memory in the user's data folder between runs, as the
// hardware keeps its own.
class EditorApplication : public QObject {
    Q_OBJECT

  public:
    static constexpr int kServiceInterval = 5;

    struct Options {
        // Open the virtual ZEL-1 on both ports for this run; the saved choices stay as they are.
        bool virtualSynth = false;
        // Write a picture of the screen with the settings dialog open to this file, then end.
        QString screenshot;
        // Pictured instead of the settings dialog: child windows by their View menu caption
        // ("Groups"), or a sound editor on the synth's first sound ("nodes", "envelope",
        // "modulation", "lfo", "vary").
        QStringList screenshotWindows;
        // Report when the main window is shown and how much memory the process holds, then end.
        bool quitWhenShown = false;
        // Sound, group and bank files to open once the main window is up (asked one by one).
        QStringList files;
    };

    // Gives the operating system's MIDI devices (null: none); called once while the editor is
    // put together, after its windows are built.
    using PlatformDevices = std::function<std::unique_ptr<MidiDriver>()>;
    EditorApplication(SettingsStore& store, PlatformDevices platformDevices);
    ~EditorApplication() override;

    // Starts the editor and runs it until its main window is closed; returns the exit code.
    int Run(const Options& options);

    static QString MemoryPath();
    // Settles how the process runs its event loop; called before the application object is
    // made. A pause for the synth holds mouse and key input back, and the toolkit's glib-based
    // loop on X11 does not look at input held back that way again until the next input
    // arrives: the release of a held scroll-bar arrow waited while the arrow ran on to the end
    // of its row. The plain event loop looks at held-back input every time.
    static void PrepareProcess();

  private:
    // The windows of the View menu and the sound editors the browser opens.
    void RegisterWindows();
    void TakeScreenshot(const QString& path);
    void ShowWindows(const QStringList& windows);
    // Opens the named window through the main menu, as a user would; null for an unknown name.
    QWidget* OpenPictured(const QString& name);
    // The item of the menu whose caption starts with caption (letter case aside), or null.
    QAction* MenuAction(const char* menu, const QString& caption) const;
    void ReportShown();

    SettingsStore& store_;
    // What the windows read and write: the store, or the ports of a demonstration run.
    SessionSettingsStore session_;
    SteadyClock clock_;
    QtEventPump pump_;
    QtMessageSink messages_;
    ExecModalRunner modal_;
    EmulatorMidiDriver* emulator_ = nullptr;
    std::unique_ptr<MidiDriver> driver_;
    std::unique_ptr<ModuleMIDI> midi_;
    std::unique_ptr<MDIFormMain> window_;
    // Owned by the main window.
    UndoMenu* undoMenu_ = nullptr;
    QtFileDialogs dialogs_;
    // Each kind of file's dialog starts where the last one of its kind ended.
    FolderMemoryDialogs folders_{dialogs_, store_};
    // What the windows ask with: the dialogs, or a file given on the command line.
    PresetFileDialogs givenDialogs_{folders_};
    std::unique_ptr<LibraryDocuments> library_;
    std::unique_ptr<WindowContext> context_;
    QTimer* service_;
    DeviceWatch* devices_ = nullptr;
    // The child window a screenshot pictures.
    QPointer<QWidget> pictured_;
    int exitCode_ = 0;
};
