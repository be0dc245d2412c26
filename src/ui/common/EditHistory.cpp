#include "ui/common/EditHistory.h"

#include <QUndoStack>
#include <utility>

#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "platform/Clock.h"
#include "windowlogic/EditStepName.h"

namespace {
RawData EncodeGroup(const ClassGroup& group) {
    RawData raw(ClassGroup::kRawBytes, 0);
    group.EncodeRawGroup(raw);
    return raw;
}

// Where a step came from, for joining the steps of one gesture.
struct Gesture {
    const void* control = nullptr;
    double time = 0;
    // False for a step after an undo: it starts a gesture of its own.
    bool joins = true;
};

// One edit of a sound or group: the record (and its slot's file name) as it was and as the edit
// left it. The first redo is the edit itself, already made.
class RawStep : public QUndoCommand {
  public:
    struct Files {
        QString before;
        QString after;
    };
    using Restore = std::function<void(const RawData&, const QString& file)>;
    static constexpr int kGestureId = 1;

    RawStep(const QString& text, RawData before, RawData after, Restore restore,
            Gesture gesture = {}, Files files = {})
        : QUndoCommand(text),
          before_(std::move(before)),
          after_(std::move(after)),
          restore_(std::move(restore)),
          gesture_(gesture),
          files_(std::move(files)) {}

    void undo() override {
        // A step gone back is finished: the next write starts a step of its own.
        gesture_.control = nullptr;
        restore_(before_, files_.before);
    }
    void redo() override {
        if (done_)
            restore_(after_, files_.after);
        done_ = true;
    }
    int id() const override { return gesture_.control != nullptr ? kGestureId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const RawStep*>(other);
        if (next == nullptr || gesture_.control == nullptr || !next->gesture_.joins ||
            next->gesture_.control != gesture_.control ||
            next->gesture_.time - gesture_.time > EditHistory::kGesturePause)
            return false;
        after_ = next->after_;
        files_.after = next->files_.after;
        gesture_.time = next->gesture_.time;
        // A gesture that ends where it began leaves nothing to undo.
        setObsolete(after_ == before_);
        return true;
    }

  private:
    RawData before_;
    RawData after_;
    Restore restore_;
    Gesture gesture_;
    Files files_;
    bool done_ = false;
};
}  // namespace

EditHistory::EditHistory(Clock& clock, SlotFiles files) : clock_(clock), files_(std::move(files)) {}
EditHistory::~EditHistory() = default;

QUndoStack* EditHistory::SoundStack(ClassSound& sound) {
    auto& stack = stacks_[&sound];
    if (!stack) {
        stack = std::make_unique<QUndoStack>();
        group_.addStack(stack.get());
        // A decode this history did not ask for (a refresh, a fetch, a whole file) replaces
        // what the steps would put back.
        connect(&sound, &ClassSound::DataChanged, this, [this, &sound] {
            if (!applying_ && open_[&sound].depth == 0) {
                StopComparing(sound, false);
                ClearSound(sound);
            }
        });
    }
    return stack.get();
}

QUndoStack* EditHistory::GroupStack(ClassGroup& group) {
    auto& stack = stacks_[&group];
    if (!stack) {
        stack = std::make_unique<QUndoStack>();
        group_.addStack(stack.get());
    }
    return stack.get();
}

void EditHistory::BeginSound(ClassSound& sound) {
    SoundStack(sound);
    Open& open = open_[&sound];
    if (open.depth++ == 0) {
        // Editing while comparing takes the version shown as the one to go on from.
        StopComparing(sound, true);
        open.before = sound.EncodeRawSound();
        open.fileBefore = FileOf(false, sound.Number());
    }
}

QString EditHistory::FileOf(bool group, int slot) const {
    return files_.get ? files_.get(group, slot) : QString();
}

void EditHistory::SetFileOf(bool group, int slot, const QString& path) {
    if (files_.set)
        files_.set(group, slot, path);
}

void EditHistory::EndSound(ClassSound& sound, const void* gesture) {
    Open& open = open_[&sound];
    if (open.depth == 0 || --open.depth > 0)
        return;
    RawData after = sound.EncodeRawSound();
    const QString name = std::exchange(open.name, QString());
    if (after == open.before)
        return;
    const QString text =
        !name.isEmpty() ? name : QString::fromStdString(EditStepName::ForSound(open.before, after));
    auto restore = [this, &sound](const RawData& raw, const QString& file) {
        Restore(sound, raw);
        SetFileOf(false, sound.Number(), file);
    };
    QUndoStack* stack = SoundStack(sound);
    stack->push(new RawStep(text, std::move(open.before), std::move(after), std::move(restore),
                            {gesture, clock_.Now(), !stack->canRedo()},
                            {open.fileBefore, FileOf(false, sound.Number())}));
}

void EditHistory::Restore(ClassSound& sound, const RawData& raw) {
    // Every step puts back a whole version, so a comparison running meanwhile simply ends.
    if (Comparing(sound)) {
        compare_[&sound].comparing = false;
        emit CompareChanged(&sound);
    }
    applying_ = true;
    sound.RestoreRawSound(raw, kMaxParameterChanges);
    applying_ = false;
}

void EditHistory::KeepReference(const ClassSound& sound, bool replace) {
    Compare& compare = compare_[&sound];
    if (compare.reference.empty() || replace)
        compare.reference = sound.EncodeRawSound();
}

bool EditHistory::Comparing(const ClassSound& sound) const {
    const auto found = compare_.find(&sound);
    return found != compare_.end() && found->second.comparing;
}

bool EditHistory::SetComparing(ClassSound& sound, bool comparing) {
    Compare& compare = compare_[&sound];
    if (compare.comparing == comparing || compare.reference.empty())
        return compare.comparing == comparing;
    SoundStack(sound);
    applying_ = true;
    bool sent = false;
    if (comparing) {
        RawData current = sound.EncodeRawSound();
        sent = sound.SendSound(compare.reference);
        if (sent)
            compare.current = std::move(current);
    } else {
        sent = sound.SendSound(compare.current);
    }
    applying_ = false;
    if (sent)
        compare.comparing = comparing;
    emit CompareChanged(&sound);
    return sent;
}

void EditHistory::StopComparing(ClassSound& sound, bool keepAsStep) {
    auto found = compare_.find(&sound);
    if (found == compare_.end() || !found->second.comparing)
        return;
    Compare& compare = found->second;
    compare.comparing = false;
    if (keepAsStep) {
        // One step from the version compared away to the one taken instead, so that undo
        // finds the way back.
        const QString file = FileOf(false, sound.Number());
        auto restore = [this, &sound](const RawData& raw, const QString&) { Restore(sound, raw); };
        SoundStack(sound)->push(new RawStep(QStringLiteral("Compare"), compare.current,
                                            sound.EncodeRawSound(), std::move(restore), {},
                                            {file, file}));
    }
    emit CompareChanged(&sound);
}

void EditHistory::RecordSound(ClassSound& sound, const std::function<void()>& edit,
                              const void* gesture) {
    if (applying_) {
        edit();
        return;
    }
    BeginSound(sound);
    edit();
    EndSound(sound, gesture);
}

void EditHistory::RecordGroup(ClassGroup& group, const std::function<void()>& edit) {
    if (applying_) {
        edit();
        return;
    }
    Open& open = open_[&group];
    if (open.depth > 0) {
        edit();
        return;
    }
    ++open.depth;
    RawData before = EncodeGroup(group);
    const QString fileBefore = FileOf(true, group.GroupNumber());
    edit();
    --open.depth;
    RawData after = EncodeGroup(group);
    const QString name = std::exchange(open.name, QString());
    if (after == before)
        return;
    const QString text =
        !name.isEmpty() ? name : QString::fromStdString(EditStepName::ForGroup(before, after));
    // A group's history is shown only while the group is the one the synth is editing (reading
    // another group starts its history afresh), so it goes back as its edits went out: by
    // parameter changes, leaving the group changed and its slot as it was until a commit.
    auto restore = [this, &group](const RawData& raw, const QString& file) {
        applying_ = true;
        group.RestoreRawGroup(raw);
        applying_ = false;
        SetFileOf(true, group.GroupNumber(), file);
        emit GroupRestored(&group);
    };
    GroupStack(group)->push(new RawStep(text, std::move(before), std::move(after),
                                        std::move(restore), {},
                                        {fileBefore, FileOf(true, group.GroupNumber())}));
}

void EditHistory::NameStep(const void* record, const QString& text) {
    if (auto found = open_.find(record); found != open_.end() && found->second.depth > 0)
        found->second.name = text;
}

void EditHistory::ClearSound(ClassSound& sound) {
    if (auto found = stacks_.find(&sound); found != stacks_.end())
        found->second->clear();
}

void EditHistory::ClearGroup(ClassGroup& group) {
    if (auto found = stacks_.find(&group); found != stacks_.end())
        found->second->clear();
}
