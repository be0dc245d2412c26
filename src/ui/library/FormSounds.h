#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "ui/common/DocumentWindow.h"
#include "ui/common/HistoryOwner.h"
#include "ui/common/WindowContext.h"
#include "ui/library/SoundFileCommands.h"

class ClassSound;
class QListWidget;
class QListWidgetItem;
class QMdiSubWindow;

// The sound browser: the synth's 20 sounds in a list, and every command that acts on the selected
// sound or on all of them. The sounds and their file names belong to the program, so closing the
// browser loses nothing and opening it again does not read the synth again. Editors are opened
// through it, one per kind and sound.
class FormSounds : public QWidget, public DocumentWindow, public HistoryOwner {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = SoundFileCommands::kCaption;
    static constexpr const char* kAcquiring = "Aquiring sounds from ZEL-1...";
    static constexpr const char* kSendingDefaults = "Sending the default sound to ZEL-1...";
    static constexpr const char* kNewQuestion =
        "This will reset all sound parameters to default. Are you sure?";
    static constexpr const char* kRefreshFailed = "Could not refresh sound.";

    explicit FormSounds(const WindowContext& context, QWidget* parent = nullptr);
    ~FormSounds() override;

    // The load step: reads the sounds unless the program holds them already, behind the
    // progress window; a failed read leaves the list empty and disabled.
    void Load();

    Kind DocumentKind() const override { return Kind::Sounds; }
    bool IsSyncronised() const override;
    QSize sizeHint() const override;

    void DocumentNew() override { SoundNew(); }
    void DocumentOpen() override { SoundOpen(); }
    void DocumentSave() override { SoundSave(); }
    void DocumentSaveAs() override { SoundSaveAs(); }
    void OpenAll() override;
    void SaveAll() override;
    void DocumentRename() override { SoundRename(); }
    void SoundRefresh() override;
    // The selected sound's history.
    QUndoStack* ShownHistory() override;
    void SoundEditNodes() override { OpenEditorOfSelected(SoundEditorKind::Nodes); }
    void SoundEditEnvelope() override { OpenEditorOfSelected(SoundEditorKind::Envelopes); }
    void SoundEditLfo() override { OpenEditorOfSelected(SoundEditorKind::Lfo); }
    void SoundEditModulation() override { OpenEditorOfSelected(SoundEditorKind::Modulation); }
    void SoundEditAll() override;
    void SoundVary() override { OpenEditorOfSelected(SoundEditorKind::Vary); }

    void SoundNew();
    void SoundOpen();
    void SoundSave();
    void SoundSaveAs();
    // File "Open" of a library entry into a slot (a drop from the library, "Send to Sound n"):
    // one undo step, read back and verified. True when the synth took it.
    bool OpenFromLibrary(int slot, const QString& path, int place);
    // Starts editing the selected item's text in place; the rename is asked for when the edit
    // ends.
    void SoundRename();

    // The one editor of that kind for this sound: brought forward when open, else made.
    // The editor of that kind on the sound, opened or brought to the front; null when none is made.
    QWidget* OpenEditor(SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound);

    // The slot of the selected item, or -1.
    int SelectedSlot() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::shared_ptr<ClassSound> SelectedSound() const;
    void FillList();
    void ShowNames();
    void OpenEditorOfSelected(SoundEditorKind kind);
    // The end of an in-place edit: asks, then renames; the text the item shows, or nothing to
    // leave it as it was.
    std::optional<QString> FinishRename(int slot, const QString& typed);
    void ShowSoundMenu(const QPoint& globalPosition);
    // Makes the browser active again when the last sound editor has closed and no other window
    // took its place; every editor frame activated in the work area is watched for that.
    void WatchEditor(QMdiSubWindow* frame);
    void EditorGone();
    void ActivateAfterEditors();

    WindowContext context_;
    SoundFileCommands files_;
    QListWidget* list_;
};
