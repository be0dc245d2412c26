#include <QTabBar>

#include "EditorFixture.h"
#include "ui/editors/FormLfo.h"

namespace {
constexpr int Lfo(int lfo, int offset) {
    return SoundLayout::LfoBase(lfo) + offset;
}
constexpr int Destination(int lfo, int slot) {
    return Lfo(lfo, SoundLayout::kLfoSlots + 2 * slot);
}
}  // namespace

class FormLfoTest : public EditorFixture {};

TEST_F(FormLfoTest, EachControlSendsItsByteForTheLfoOfItsTab) {
    sound->LFO(1)->SetDestinationNode(1, 13);
    sound->LFO(1)->SetDestinationDepth(1, 0);
    auto window = Open<FormLfo>();
    Sent();
    auto* tabs = Find<QTabBar>(*window, "TabStrip");
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(Sent().empty());
    auto* wave = Find<QComboBox>(*window, "ComboWave");
    EXPECT_EQ(wave->currentIndex(), sound->LFO(1)->Wave());

    wave->setFocus();
    QTest::keyClicks(wave, "Random 1");
    Type(Find<QLineEdit>(*window, "TextSpeed"), "-70");
    PickNext(Find<QComboBox>(*window, "ComboDestination_1"));  // an LFO may modulate itself
    Find<QScrollBar>(*window, "FlatScrollBarDepth_1")
        ->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Sent(), Changes({{Lfo(1, SoundLayout::kLfoWave), 7},
                               {Lfo(1, SoundLayout::kLfoRate), -64},
                               {Destination(1, 1), 14},
                               {Destination(1, 1) + 1, 127}}));
    EXPECT_EQ(Find<QLineEdit>(*window, "TextSpeed")->text(), "-64");
    EXPECT_EQ(sound->LFO(1)->Rate(), 192);
}

TEST_F(FormLfoTest, StoredBytesShowSignedOrClampedAndStayUntilTheirRowMoves) {
    ReloadFromSynth([](RawData& raw) {
        raw[Lfo(0, SoundLayout::kLfoDelay)] = 200;  // -56
        raw[Lfo(0, SoundLayout::kLfoRate)] = 100;   // beyond the row
        raw[Lfo(0, SoundLayout::kLfoWave)] = 12;    // no such wave
    });
    Sent();
    auto window = Open<FormLfo>();
    EXPECT_EQ(Find<QLineEdit>(*window, "TextDelay")->text(), "-56");
    EXPECT_EQ(Find<QLineEdit>(*window, "TextSpeed")->text(), "63");
    EXPECT_EQ(Find<QComboBox>(*window, "ComboWave")->currentIndex(), -1);

    Find<QScrollBar>(*window, "FlatScrollBarDelay")
        ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Sent(), Changes({{Lfo(0, SoundLayout::kLfoDelay), -55}}));
    EXPECT_EQ(sound->LFO(0)->Rate(), 100);
    EXPECT_EQ(sound->LFO(0)->Wave(), 12);
    EXPECT_EQ(driver.Synth().Sound(kSlot)[Lfo(0, SoundLayout::kLfoRate)], 100);
}
