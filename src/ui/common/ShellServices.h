#pragma once

#include <QString>

class FormStatus;
class QMenu;
class WindowHost;

// What the main window offers the windows inside it, without their knowing the main window:
// the document menus' state, the context menus, the progress window, the status line and the
// work area.
class ShellServices {
  public:
    virtual ~ShellServices() = default;

    // Re-reads which document commands the active window allows; a browser calls it when it is
    // activated, deactivated or becomes synchronised.
    virtual void SetMenus() = 0;
    virtual void ClearMenus() = 0;
    virtual QMenu* SoundMenu() const = 0;
    virtual QMenu* GroupMenu() const = 0;
    // The progress window, made on first use.
    virtual FormStatus& Status() = 0;
    // A line in the status bar until the next one.
    virtual void ShowStatusMessage(const QString& text) = 0;
    virtual WindowHost& Host() = 0;
    // True while the program closes its child windows for good (unloading, closing them all),
    // as opposed to a user's close of one window's frame.
    virtual bool ClosingChildren() const { return false; }
};
