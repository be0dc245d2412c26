#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "ui/common/DocumentWindow.h"
#include "ui/common/HistoryOwner.h"
#include "ui/common/SoundEditor.h"
#include "ui/common/WindowContext.h"

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
// - reaches the sound with Sound() at the time of each event, never keeping a pointer to a node;
// - writes only through WriteSound(), the writers made by SoundWriter() and RecordWriter(), or
//   between BeginStep() and EndStep(),
//   so that every edit is one step of the sound's undo history (one per gesture on a control).
// The creator calls SetSound() once, before the window is shown.
//
// Active, it takes the main window's File "Save" and "Save As" for its sound's slot, as the
// sound browser does for its selection.
class SoundEditorWindow : public QWidget,
                          public SoundEditor,
                          public DocumentWindow,
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

    QUndoStack* ShownHistory() override;

    Kind DocumentKind() const override { return Kind::SoundEditor; }
    bool IsSyncronised() const override { return SlotOfSound() >= 0; }
    void DocumentSave() override;
    void DocumentSaveAs() override;

    // Writes one value of a control.
    using Writer = std::function<void(int)>;

  protected:
    // Takes the focus from a text box of this window while the subclass still exists, so the
    // box's last entry is applied to the record then and not from the base's destructor.
    void ReleaseFocus();

    virtual void LoadSound() = 0;

    // The one way the window changes its sound: edit runs as a step of the sound's history;
    // the steps that follow each other from one control without a pause join (a gesture).
    void WriteSound(const QObject* control, const std::function<void(ClassSound&)>& edit);
    // A step kept open across events (a drag, a run of paced writes): every change of the sound
    // between BeginStep and EndStep is one step of its history. Calls nest.
    void BeginStep();
    // Names the step begun here ("Randomise"), in place of the name its changes would give.
    void NameStep(const QString& text);
    void EndStep();
    // A writer of control's values through WriteSound, or none while the window loads.
    Writer SoundWriter(const QObject* control, std::function<void(ClassSound&, int)> write);
    // A writer to the record that find gives for index, looked up when each value comes
    // (none found: nothing is written).
    template <class Record>
    Writer RecordWriter(const QObject* control, Record* (ClassSound::*find)(int), int index,
                        std::type_identity_t<std::function<void(Record&, int)>> set) {
        return SoundWriter(control,
                           [find, index, set = std::move(set)](ClassSound& sound, int value) {
                               if (Record* record = (sound.*find)(index))
                                   set(*record, value);
                           });
    }

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
    // The synth's slot holding this window's sound, or -1.
    int SlotOfSound() const;
    void RefreshDestinationLists();
    void ShowComparing();
    // "<prefix><name>", and while Compare is on, that the original is sounding.
    void ShowCaption();

    WindowContext context_;
    SoundEditorKind kind_;
    QString captionPrefix_;
    std::shared_ptr<ClassSound> sound_;
    bool refreshing_ = false;
    std::vector<QComboBox*> destinationLists_;
    QPushButton* compare_;
};
