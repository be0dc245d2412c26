#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/common/HistoryOwner.h"
#include "ui/common/SoundEditor.h"
#include "ui/common/WindowContext.h"
#include "ui/widgets/EditRecorder.h"

class ClassSound;
class QComboBox;
class QPushButton;

// What the four sound editors share: the window is bound to one sound for its whole life, shows
// "<prefix><name>" as its caption and loads its controls again whenever the sound raises
// DataChanged (decoded, renamed or given another algorithm).
//
// A subclass:
// - passes its kind and caption prefix ("Node - ") to this constructor and builds its controls;
// - makes its destination lists with MakeDestinationList(); their entries 1..10 are renamed after
//   the sound's nodes on every refresh, the selection left alone;
// - implements LoadSound() to copy the model's values into its controls. It runs with
//   Refreshing() set; a subclass that loads at other times (a tab change) holds a
//   RefreshGuard(RefreshingFlag()) itself. Its handlers write to the model only while
//   Refreshing() is false (ValueRow and ListBinding never write on Show or Refresh anyway);
// - reaches the sound with Sound() at the time of each event, never keeping a pointer to a node.
// The creator calls SetSound() once, before the window is shown. Every write of its rows and
// lists is one step of the sound's undo history.
class SoundEditorWindow : public QWidget,
                          public SoundEditor,
                          public EditRecorder,
                          public HistoryOwner {
    Q_OBJECT

  public:
    SoundEditorWindow(const WindowContext& context, SoundEditorKind kind,
                      const QString& captionPrefix, QWidget* parent = nullptr);
    ~SoundEditorWindow() override;

    // Binds the window to sound and loads it. Called once; later calls are ignored.
    void SetSound(const std::shared_ptr<ClassSound>& sound);
    std::shared_ptr<ClassSound> GetSound() const override { return sound_; }
    SoundEditorKind EditorKind() const override { return kind_; }
    void OpenCompanion(SoundEditorKind kind) override;

    // Caption, destination lists, then LoadSound() under the refreshing flag.
    void RefreshWindow();
    bool Refreshing() const { return refreshing_; }

    void RecordEdit(const std::function<void()>& edit) override;
    QUndoStack* ShownHistory() override;

  protected:
    // Takes the focus from a text box of this window while the subclass still exists, so the
    // box's last entry is applied to the record then and not from the base's destructor.
    void ReleaseFocus();

    virtual void LoadSound() = 0;

    ClassSound& Sound() const { return *sound_; }
    bool HasSound() const { return sound_ != nullptr; }
    bool& RefreshingFlag() { return refreshing_; }
    const WindowContext& Context() const { return context_; }

    // The "Compare" toggle (CommandCompare): the synth plays the sound as it was when its first
    // editor opened or it was last saved, while it is down. A subclass places it.
    QPushButton* CompareButton() const { return compare_; }

    // A destination list named objectName with its 16 entries, renamed on every refresh.
    QComboBox* MakeDestinationList(const QString& objectName, QWidget* parent);
    // Sizes the window's client area, given in twips, at the screen's logical resolution, and
    // no smaller than its layout needs; call it once the controls are built.
    void SetClientSizeTwips(int width, int height);

  private:
    void RefreshDestinationLists();
    void ShowComparing();

    WindowContext context_;
    SoundEditorKind kind_;
    QString captionPrefix_;
    std::shared_ptr<ClassSound> sound_;
    bool refreshing_ = false;
    std::vector<QComboBox*> destinationLists_;
    QPushButton* compare_;
};
