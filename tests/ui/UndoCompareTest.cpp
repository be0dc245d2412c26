#include <QAction>
#include <QPushButton>
#include <QUndoStack>

#include "EditorFixture.h"
#include "ui/app/UndoMenu.h"
#include "ui/common/EditHistory.h"
#include "ui/common/WindowHost.h"
#include "ui/editors/FormNodes.h"

namespace {
constexpr int kNode = SoundLayout::kNodeBase;
constexpr int kWaves1 = 12;

int Dumps(const WireMessages& messages) {
    int dumps = 0;
    for (const WireMessage& message : messages)
        dumps += message.size() > 5 && (message[5] >> 4) == 1 ? 1 : 0;
    return dumps;
}
}  // namespace

// Edit "Undo" and "Redo" of the main window on a node editor inside it, and its Compare toggle.
class UndoCompareTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        new UndoMenu(*window, window->Host().Area(), library.History());  // owned by the window
        sound->SetAlgorithm(kWaves1);
        Sent();
        nodes = new FormNodes(Context());
        nodes->SetSound(sound);
        window->Host().Add(nodes);
        window->Host().Activate(nodes);
    }
    void Trigger(const char* name) {
        QAction* action = Action(name);
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    QString Shown(const char* name) const { return nodes->findChild<QLineEdit*>(name)->text(); }

    FormNodes* nodes = nullptr;
};

TEST_F(UndoCompareTest, ValueRowAndAlgorithmChangeGoBackAndForthOnTheSynth) {
    EXPECT_FALSE(Action("MenuEditUndo")->isEnabled());
    Find<QScrollBar>(*nodes, "FlatScrollBarDetune_1")
        ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 1}}));
    EXPECT_EQ(Action("MenuEditUndo")->text(), "Undo Detune of Oscilator 2");

    Trigger("MenuEditUndo");
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 0}}));
    EXPECT_EQ(Shown("TextDetune_1"), "0");
    EXPECT_EQ(Action("MenuEditRedo")->text(), "Redo Detune of Oscilator 2");
    Trigger("MenuEditRedo");
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 1}}));
    EXPECT_EQ(Shown("TextDetune_1"), "1");

    // The algorithm change is one step back to the old algorithm and every node value.
    const RawData before = driver.Synth().Sound(kSlot);
    PickNext(Find<QComboBox>(*nodes, "ComboAlgorithm"));
    const RawData after = driver.Synth().Sound(kSlot);
    ASSERT_NE(after, before);
    EXPECT_EQ(Action("MenuEditUndo")->text(), "Undo Algorithm");
    Sent();
    Trigger("MenuEditUndo");
    EXPECT_EQ(driver.Synth().Sound(kSlot), before);
    EXPECT_EQ(sound->EncodeRawSound(), before);
    EXPECT_EQ(Find<QComboBox>(*nodes, "ComboAlgorithm")->currentIndex(), kWaves1);
    EXPECT_EQ(Shown("TextDetune_1"), "1");
    Trigger("MenuEditRedo");
    EXPECT_EQ(driver.Synth().Sound(kSlot), after);
    EXPECT_EQ(sound->EncodeRawSound(), after);

    // What the synth sends replaces the history.
    ASSERT_TRUE(sound->RequestSound());
    EXPECT_FALSE(Action("MenuEditUndo")->isEnabled());
    EXPECT_EQ(Action("MenuEditUndo")->text(), "Undo");
}

TEST_F(UndoCompareTest, CompareSwapsTheSynthByOneDumpEachWay) {
    const RawData opened = driver.Synth().Sound(kSlot);
    Type(Find<QLineEdit>(*nodes, "TextTranspose"), "7");
    const RawData edited = driver.Synth().Sound(kSlot);
    ASSERT_NE(edited, opened);
    Sent();

    auto* compare = Find<QPushButton>(*nodes, "CommandCompare");
    const QImage off = compare->grab().toImage();
    QTest::mouseClick(compare, Qt::LeftButton);
    EXPECT_TRUE(compare->isChecked());
    // It says and shows that the original sounds, in the button and in the caption.
    EXPECT_EQ(compare->text(), "Comparing");
    EXPECT_NE(compare->grab().toImage(), off);
    EXPECT_TRUE(nodes->windowTitle().endsWith(" (original sounding)"));
    EXPECT_EQ(Dumps(Sent()), 1);
    EXPECT_EQ(driver.Synth().Sound(kSlot), opened);
    EXPECT_NE(Shown("TextTranspose"), "7");

    QTest::mouseClick(compare, Qt::LeftButton);
    EXPECT_FALSE(compare->isChecked());
    EXPECT_EQ(compare->text(), "Compare");
    EXPECT_EQ(nodes->windowTitle().toStdString(), "Node - " + sound->Name());
    EXPECT_EQ(Dumps(Sent()), 1);
    EXPECT_EQ(driver.Synth().Sound(kSlot), edited);
    EXPECT_EQ(Shown("TextTranspose"), "7");

    // An edit while comparing goes on from the version shown; undo finds the way back.
    QTest::mouseClick(compare, Qt::LeftButton);
    Find<QScrollBar>(*nodes, "FlatScrollBarDetune_1")
        ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FALSE(compare->isChecked());
    Trigger("MenuEditUndo");
    EXPECT_EQ(driver.Synth().Sound(kSlot), opened);
    EXPECT_EQ(Action("MenuEditUndo")->text(), "Undo Compare");
    Trigger("MenuEditUndo");
    EXPECT_EQ(driver.Synth().Sound(kSlot), edited);
}

TEST_F(UndoCompareTest, ArrowClicksOnOneRowAreOneStepUntilAPauseOrAnotherRow) {
    const int detoneByte = driver.Synth().Sound(kSlot)[kNode + 3];
    QScrollBar* detune = Find<QScrollBar>(*nodes, "FlatScrollBarDetune_1");
    for (int click = 0; click < 3; ++click)
        detune->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Find<QScrollBar>(*nodes, "FlatScrollBarDetone_1")
        ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    clock.Advance(2);
    detune->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Sent();
    QUndoStack& history = *library.History().SoundStack(*sound);
    EXPECT_EQ(history.count(), 3);

    Trigger("MenuEditUndo");  // the click after the pause
    Trigger("MenuEditUndo");  // the detone
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 3}, {kNode + 3, detoneByte}}));
    Trigger("MenuEditUndo");  // the three clicks at once
    EXPECT_EQ(Sent(), Changes({{kNode + 2, 0}}));
    EXPECT_EQ(Shown("TextDetune_1"), "0");

    // After an undo a click starts a step of its own, and clicks back to where the gesture
    // began leave no step.
    Trigger("MenuEditRedo");
    detune->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    detune->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoText(), "Detune of Oscilator 2");
}

TEST_F(UndoCompareTest, UndoKeysInAValueBoxReachTheSoundOnceItsTypingIsApplied) {
    const int kTranspose = SoundLayout::kTranspose;
    const int before = sound->Transpose();
    QLineEdit* box = Find<QLineEdit>(*nodes, "TextTranspose");
    Type(box, "7");
    Sent();
    ASSERT_TRUE(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Sent(), Changes({{kTranspose, before & 0xFF}}));
    EXPECT_EQ(box->text(), QString::number(before));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Sent(), Changes({{kTranspose, 7}}));
    EXPECT_EQ(box->text(), "7");

    // Typing not applied yet is undone in the box itself.
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, "9");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "7");
    EXPECT_TRUE(Sent().empty());
}
