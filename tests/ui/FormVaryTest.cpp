#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QUndoStack>

#include "EditorFixture.h"
#include "model/LiveSoundWriter.h"
#include "model/SoundVariation.h"
#include "ui/common/EditHistory.h"
#include "ui/editors/FormVary.h"
#include "ui/editors/SoundEditors.h"

// The Vary window, opened from Edit "Vary..." over a node editor of the sound.
class FormVaryTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        editors = [this](SoundEditorKind kind, const std::shared_ptr<ClassSound>& s) {
            return static_cast<QWidget*>(MakeSoundEditor(Context(), kind, s));
        };
        QWidget* nodes = editors(SoundEditorKind::Nodes, sound);
        window->Host().Add(nodes);
        window->Host().Activate(nodes);
        Action("MenuEditVary")->trigger();
        vary = window->Host().Find<FormVary>();
        ASSERT_NE(vary, nullptr);
        Sent();
    }
    QUndoStack& Steps() { return *library.History().SoundStack(*sound); }
    uint64_t ShownSeed() { return Find<QLineEdit>(*vary, "TextSeed")->text().toULongLong(); }
    // What the synth receives to go from `from` to `to`: the bytes that differ, or one dump
    // when that is shorter.
    WireMessages Transition(const RawData& from, const RawData& to) const {
        WireMessages messages;
        for (int offset = 0; offset < SoundLayout::kSize; ++offset) {
            if (from[offset] != to[offset])
                messages.push_back(Change(kSlot, offset, to[offset]));
        }
        if (static_cast<int>(messages.size()) > LiveSoundWriter::kMaxParameterChanges)
            return {DumpMessage(0, kSlot, to), Change(kSlot, 116, to[116])};
        return messages;
    }

    FormVary* vary = nullptr;
};

TEST_F(FormVaryTest, RandomiseIsHeardAtOnceAsOneStepAndAgainStartsFromTheSameSound) {
    EXPECT_EQ(vary->GetSound(), sound);
    const VariationLocks locks = VariationLocks::Default();
    const RawData before = sound->EncodeRawSound();
    auto* amount = Find<QComboBox>(*vary, "ComboAmount");
    amount->setCurrentIndex(amount->findText("50 %"));

    Find<QPushButton>(*vary, "CommandRandomise")->click();
    const RawData first = SoundVariation::Randomise(before, 50, locks, ShownSeed());
    EXPECT_EQ(Sent(), Transition(before, first));
    EXPECT_EQ(driver.Synth().Sound(kSlot), first);
    EXPECT_EQ(Steps().count(), 1);

    Find<QPushButton>(*vary, "CommandAgain")->click();
    const RawData again = SoundVariation::Randomise(before, 50, locks, ShownSeed());
    EXPECT_NE(again, first);
    EXPECT_EQ(driver.Synth().Sound(kSlot), again);

    // A seed the user types is used, once.
    Type(Find<QLineEdit>(*vary, "TextSeed"), "777");
    Find<QPushButton>(*vary, "CommandRandomise")->click();
    EXPECT_EQ(ShownSeed(), 777u);
    EXPECT_EQ(Steps().undoText(), QStringLiteral("Randomise"));
    EXPECT_EQ(driver.Synth().Sound(kSlot), SoundVariation::Randomise(again, 50, locks, 777));
    EXPECT_EQ(Steps().count(), 3);
    while (Steps().canUndo())
        Steps().undo();
    EXPECT_EQ(driver.Synth().Sound(kSlot), before);
}

TEST_F(FormVaryTest, AMorphDragSendsTheLatestPositionAndIsOneStep) {
    auto* other = Find<QComboBox>(*vary, "ComboOther");
    other->setCurrentIndex(other->findData(7));
    auto* locks = Find<QCheckBox>(*vary, "CheckLock_6");  // the algorithm
    ASSERT_TRUE(locks->isChecked());
    locks->setChecked(false);
    const RawData a = sound->EncodeRawSound();
    const RawData b = library.Sounds().Sound(7)->EncodeRawSound();

    auto* slider = Find<QSlider>(*vary, "SliderMorph");
    slider->setSliderDown(true);
    for (int position : {20, 60, 100})
        slider->setSliderPosition(position);
    slider->setSliderDown(false);
    const RawData end = SoundVariation::Morph(a, b, 1.0, VariationLocks());
    EXPECT_EQ(Sent(), Transition(a, end));
    EXPECT_EQ(driver.Synth().Sound(kSlot), end);
    EXPECT_EQ(Steps().count(), 1);
    EXPECT_EQ(Steps().undoText(), QStringLiteral("Morph"));

    // The next drag goes on between the same two sounds.
    slider->setSliderDown(true);
    slider->setSliderPosition(50);
    slider->setSliderDown(false);
    EXPECT_EQ(driver.Synth().Sound(kSlot), SoundVariation::Morph(a, b, 0.5, VariationLocks()));
    EXPECT_EQ(Steps().count(), 2);
    Steps().undo();
    Steps().undo();
    EXPECT_EQ(driver.Synth().Sound(kSlot), a);
}

TEST_F(FormVaryTest, NudgeTowardsASoundFileAtFullAmountGivesThatSound) {
    // Names are the synth's bytes, one letter each.
    sound->SetName("Caf\xE9");
    EXPECT_EQ(vary->windowTitle(), QStringLiteral("Vary - Caf\u00E9"));
    EXPECT_EQ(Find<QLabel>(*vary, "LabelMorphA")->toolTip(), QStringLiteral("A: Caf\u00E9"));
    EXPECT_EQ(Find<QComboBox>(*vary, "ComboOther")->itemText(kSlot),
              QStringLiteral("%1 Caf\u00E9").arg(kSlot));
    const RawData a = sound->EncodeRawSound();
    const RawData b = library.Sounds().Sound(9)->EncodeRawSound();
    const QString name =
        QStringLiteral("other sound with a name as long as a library's file names get.zel");
    QFile file(backups.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int16_t byte : b)
        bytes.append(static_cast<char>(byte));
    file.write(bytes);
    file.close();

    dialogs.Answer(file.fileName());
    auto* other = Find<QComboBox>(*vary, "ComboOther");
    const int openFile = other->findText(FormVary::kFileEntry);
    other->setCurrentIndex(openFile);
    emit other->activated(openFile);
    EXPECT_EQ(other->currentText(), "File: " + name);
    // The long name leaves the morph slider room to be dragged, and is there in full as a tip.
    vary->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto* morphB = Find<QLabel>(*vary, "LabelMorphB");
    EXPECT_EQ(morphB->toolTip(), "B: " + name);
    EXPECT_GE(Find<QSlider>(*vary, "SliderMorph")->width(), morphB->width());
    Find<QCheckBox>(*vary, "CheckLock_6")->setChecked(false);
    auto* amount = Find<QComboBox>(*vary, "ComboAmount");
    amount->setCurrentIndex(amount->findText("100 %"));
    Find<QPushButton>(*vary, "CommandTowards")->click();

    RawData expected = b;
    std::copy(a.begin(), a.begin() + 10, expected.begin());
    EXPECT_EQ(driver.Synth().Sound(kSlot), expected);
    EXPECT_EQ(Steps().count(), 1);
}
