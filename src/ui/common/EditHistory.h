#pragma once

#include <QObject>
#include <QString>
#include <QUndoGroup>
#include <functional>
#include <map>
#include <memory>

#include "midi/RawData.h"

class ClassGroup;
class ClassSound;
class Clock;
class QUndoStack;

// The undo history of every sound and every group, kept while the program runs (beside the
// collections, so closing a window keeps it). A step holds the record's raw form before and
// after the edit; going back or forth sends only the bytes that differ (one dump when many do)
// and decodes into the record, so the windows showing it reload through DataChanged.
//
// The undo group's active stack is the history of what the active window shows.
//
// One gesture is one step: writes from the same control (a run of arrow clicks, a held arrow,
// wheel notches) join the step before them while they follow it within kGesturePause seconds.
class EditHistory : public QObject {
    Q_OBJECT

  public:
    // A step that changes more bytes than this goes back as one dump.
    static constexpr int kMaxParameterChanges = 12;
    // A pause this long between two writes of one control ends its gesture.
    static constexpr double kGesturePause = 1.0;

    // Where the slots' file names are kept (group: a group's slot, else a sound's).
    struct SlotFiles {
        std::function<QString(bool group, int slot)> get;
        std::function<void(bool group, int slot, const QString& path)> set;
    };

    explicit EditHistory(Clock& clock, SlotFiles files = {});
    ~EditHistory() override;

    QUndoGroup& Group() { return group_; }
    QUndoStack* SoundStack(ClassSound& sound);
    QUndoStack* GroupStack(ClassGroup& group);

    // Runs edit as one step of sound's history; edits inside it (a drag's moves) join it. A
    // gesture (the control that wrote, or null) joins the step to the one before it when that
    // came from the same gesture without a pause.
    void RecordSound(ClassSound& sound, const std::function<void()>& edit,
                     const void* gesture = nullptr);
    void RecordGroup(ClassGroup& group, const std::function<void()>& edit);
    // A step kept open across events (an anchor drag): Begin at the press, End at the release.
    void BeginSound(ClassSound& sound);
    void EndSound(ClassSound& sound, const void* gesture = nullptr);

    // Names the step that the edit running now on record (a sound or a group) makes, in place
    // of the name its changed parameters give: "Open Pad.zel into Sound 3".
    void NameStep(const void* record, const QString& text);

    // Forgets sound's history: what the object holds came from elsewhere.
    void ClearSound(ClassSound& sound);
    void ClearGroup(ClassGroup& group);

    // Compare: the version of a sound the user compares against (A/B) is what it held when the
    // first editor of it opened, or when it was last saved (replace).
    void KeepReference(const ClassSound& sound, bool replace);
    bool Comparing(const ClassSound& sound) const;
    // Swaps the synth (and the object, so windows show what sounds) between the sound as it is
    // now and its reference, by one dump. False when the dump failed (nothing swapped).
    bool SetComparing(ClassSound& sound, bool comparing);

    // True while a step is being put back, so that nothing records it again.
    bool Applying() const { return applying_; }
    void SetApplying(bool applying) { applying_ = applying; }

    // Said by a window whose shown record changed (another sound selected), so that the Edit
    // menu follows.
    void NotifyShownChanged() { emit ShownChanged(); }

  signals:
    void ShownChanged();
    void CompareChanged(const ClassSound* sound);
    // A group was put back to an earlier or later state (groups raise no DataChanged).
    void GroupRestored(const ClassGroup* group);

  private:
    struct Open {
        int depth = 0;
        RawData before;
        QString fileBefore;
        QString name;
    };

    std::map<const void*, std::unique_ptr<QUndoStack>> stacks_;
    struct Compare {
        RawData reference;
        // The sound as it was before the reference was put in its place.
        RawData current;
        bool comparing = false;
    };
    // Leaves a comparison because the reference shown is being edited or replaced.
    void StopComparing(ClassSound& sound, bool keepAsStep);
    void Restore(ClassSound& sound, const RawData& raw);
    QString FileOf(bool group, int slot) const;
    void SetFileOf(bool group, int slot, const QString& path);

    std::map<const void*, Open> open_;
    std::map<const void*, Compare> compare_;
    QUndoGroup group_;
    Clock& clock_;
    SlotFiles files_;
    bool applying_ = false;
};
