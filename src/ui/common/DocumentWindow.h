#pragma once

// A child window that takes the document commands of the main window's File and Edit menus:
// the sound browser, the group editor, and a sound editor (Save and Save As of its own sound).
// The main window routes each command to the active child; a command a window has no use for
// does nothing.
class DocumentWindow {
  public:
    enum class Kind { Sounds, Groups, SoundEditor };

    // A document command, as the main window routes it.
    using Command = void (DocumentWindow::*)();

    virtual ~DocumentWindow() = default;

    virtual Kind DocumentKind() const = 0;
    // True once the window holds what the synth holds; until then its commands stay disabled.
    virtual bool IsSyncronised() const = 0;

    virtual void DocumentNew() {}
    virtual void DocumentOpen() {}
    virtual void DocumentSave() {}
    virtual void DocumentSaveAs() {}
    virtual void OpenAll() {}
    virtual void SaveAll() {}
    virtual void DocumentRename() {}
    // Sound browser only.
    virtual void SoundRefresh() {}
    virtual void SoundEditNodes() {}
    virtual void SoundEditEnvelope() {}
    virtual void SoundEditLfo() {}
    virtual void SoundEditModulation() {}
    virtual void SoundEditAll() {}
    virtual void SoundVary() {}
};
