#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "ui/app/MainMenuTable.h"
#include "ui/common/DocumentWindow.h"
#include "ui/common/ShellServices.h"
#include "ui/common/WindowHost.h"
#include "windowlogic/ActivityIndicator.h"

class EventPump;
class FormSettings;
class FormStatus;
class MessageSink;
class ModalRunner;
class ModuleMIDI;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class SettingsStore;

// The main window: menus, toolbar, the status bar's MIDI activity panels and the child windows.
// It opens the program's windows, routes the document commands to the active child window and
// enables them only while a synchronised browser is active. Loading it loads the settings dialog
// (which opens the synth's ports) and the hidden audition window; unloading it unloads every
// child window and then the settings dialog, which saves the settings and closes the ports.
class MDIFormMain : public QMainWindow, public ShellServices {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "ZEL-1 Edit";
    static constexpr const char* kExitQuestion = "Are you sure you want to exit?";
    static constexpr int kTimerMidiInterval = 100;

    enum class Child { Sounds, Groups, Utility, Audition, MidiMonitor, Library };
    // Makes a new child window; the main window puts it into its work area and owns it.
    using ChildFactory = std::function<QWidget*()>;

    MDIFormMain(ModuleMIDI& midi, SettingsStore& store, MessageSink& messages, ModalRunner& modal,
                EventPump& pump, QWidget* parent = nullptr);
    ~MDIFormMain() override;

    void SetChildFactory(Child child, ChildFactory factory);

    // The load step: the settings dialog (shown modally when a port is missing), then the
    // audition window, loaded and hidden so MIDI thru works from the start.
    void Load();
    // Unloads the child windows, the progress window and the settings dialog, once.
    void Unload();

    void ClearMenus() override;
    void SetMenus() override;

    // Runs the command of a toolbar button; an unknown key does nothing.
    void ToolbarButtonClick(const QString& key);
    // One tick of the activity timer.
    void TimerMidiTick();

    // Null while unloaded.
    FormSettings* Settings() const;
    // The progress window, created on first use.
    FormStatus& Status() override;
    void ShowStatusMessage(const QString& text) override;
    WindowHost& Host() override { return host_; }
    bool ClosingChildren() const override { return closingChildren_; }
    // The child window, or null when it is not open.
    QWidget* ChildWindow(Child child) const;
    // Shows the child window, creating it first when needed; null when it cannot be made.
    QWidget* OpenChild(Child child);
    QMdiArea& WorkArea() const { return *workArea_; }

    // The context menus of the browsers; never shown in the menu bar.
    QMenu* SoundMenu() const override { return menuSound_; }
    QMenu* GroupMenu() const override { return menuGroup_; }

    // Menu commands.
    void FileExit();
    void ViewSounds() { OpenChild(Child::Sounds); }
    void ViewGroups() { OpenChild(Child::Groups); }
    void ViewUtility() { OpenChild(Child::Utility); }
    void ViewAudition() { OpenChild(Child::Audition); }
    void ViewMidiMonitor() { OpenChild(Child::MidiMonitor); }
    void ViewLibrary() { OpenChild(Child::Library); }
    void ViewSettings();
    void WindowCloseAll();
    void WindowCascade();
    void WindowTileHorizontally();
    void WindowTileVertically();
    // Opens the user manual in the desktop's browser.
    void HelpContents();
    void HelpAbout();
    // The Vary window of the active editor's sound, or of the sound browser's selected sound.
    void EditVary();
    // The user manual's file; found beside the program at first.
    void SetManualPath(const QString& path) { manualPath_ = path; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    using Command = DocumentWindow::Command;

    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    std::function<void()> CommandOf(const MainMenuTable::MenuEntry& entry);
    void RunShellCommand(MainMenuTable::ShellCommand command);

    DocumentWindow* ActiveDocument() const;
    // Sends a command to the active child; sound-only commands go nowhere else.
    void RouteToActive(Command command, bool soundsOnly);
    // Sends a context-menu command to its browser, opening the browser when needed.
    void RouteTo(Child child, Command command);
    void LoadSettings();
    void UnloadSettings();
    void CloseChildren();
    void Tile(bool horizontally);
    // Runs a command that may talk to the synth. A close asked for meanwhile (from inside its
    // message boxes: File "Exit", Window "Close All", a session's logout) would free windows the
    // command still uses; it is carried out once, after the command has returned.
    void RunCommand(const std::function<void()>& command);
    bool CloseMustWait() const;

    ModuleMIDI& midi_;
    SettingsStore& store_;
    MessageSink& messages_;
    ModalRunner& modal_;
    EventPump& pump_;

    QMdiArea* workArea_;
    WindowHost host_;
    QMenu* menuSound_ = nullptr;
    QMenu* menuGroup_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* panelSend_ = nullptr;
    QLabel* panelReceive_ = nullptr;
    QTimer* timerMidi_;
    ActivityIndicator activity_;

    std::unique_ptr<FormSettings> settings_;
    std::unique_ptr<FormStatus> status_;
    std::map<QString, std::function<void()>> commands_;
    std::map<Child, ChildFactory> factories_;
    std::map<Child, QPointer<QMdiSubWindow>> children_;
    QString manualPath_;
    bool unloaded_ = false;
    bool closingChildren_ = false;
    int commandDepth_ = 0;
    bool closeWaits_ = false;
    bool closeAllWaits_ = false;
};
