#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>

#include "midi/RawData.h"
#include "model/SoundVariation.h"
#include "model/VariationGroup.h"
#include "ui/editors/SoundEditorWindow.h"
#include "windowlogic/VarySession.h"

class LiveSoundWriter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;

// The Vary window of one sound: randomise it, nudge it towards or away from another sound (a
// slot or a file), or morph it towards that sound with a slider, over the groups left unlocked.
// Every result is heard at once and is one undo step; a whole slider drag is one step, and
// while the cable is busy only the slider's latest position goes out.
class FormVary : public SoundEditorWindow {
    Q_OBJECT

  public:
    static constexpr int kMorphSteps = 100;
    static constexpr const char* kFileEntry = "Open file...";

    explicit FormVary(const WindowContext& context, QWidget* parent = nullptr);
    ~FormVary() override;

  protected:
    void LoadSound() override;

  private:
    QWidget* BuildLocks();
    QWidget* BuildOperations();
    QWidget* BuildMorph();
    QWidget* BuildSeedRow();

    VariationLocks Locks() const;
    int Amount() const;
    // The seed the user typed since the last operation, else a fresh one; shown either way.
    uint64_t TakeSeed();
    // The other sound as the model holds it, or nothing when none is chosen.
    std::optional<RawData> Other() const;
    void ChooseOther(int index);
    void FillOtherList();

    void Run(SoundVariation::Operation operation);
    void Again();
    // Puts result in the synth and the sound as one undo step.
    void Apply(const RawData& result);
    LiveSoundWriter& Writer();

    void MorphPressed();
    void MorphMoved(int position);
    void MorphReleased();
    void SendMorph();
    // Back to A: the slider at 0, the next morph starting from the sound as it is.
    void ResetMorph();

    std::array<QCheckBox*, kVariationGroupCount> locks_{};
    QComboBox* amount_ = nullptr;
    QComboBox* other_ = nullptr;
    QSlider* morph_ = nullptr;
    QLabel* morphA_ = nullptr;
    QLabel* morphB_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QPushButton* again_ = nullptr;
    QTimer* morphTimer_ = nullptr;

    VarySession session_;
    SoundVariation::Operation lastOperation_ = SoundVariation::Operation::Randomise;
    std::unique_ptr<LiveSoundWriter> writer_;
    std::optional<RawData> otherFile_;
    QString otherFileName_;
    QVariant shownOther_;
    bool seedTyped_ = false;
    bool dragging_ = false;
};
