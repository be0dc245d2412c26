#include <QTabBar>

#include "EditorFixture.h"
#include "ui/editors/FormModulation.h"

namespace {
// The byte of modulation-matrix row `row` for entry m.
constexpr int Row(int row, int m) {
    return row + m;
}
}  // namespace

class FormModulationTest : public EditorFixture {};

TEST_F(FormModulationTest, EachControlSendsItsByteForTheEntryOfItsTab) {
    ClassModulation& entry = *sound->Modulation(1);
    entry.SetKeyRightToLeft(false);
    entry.SetDestination(2);
    entry.SetModWheel(0);
    auto window = Open<FormModulation>();
    Sent();
    Find<QTabBar>(*window, "TabStrip")->setCurrentIndex(1);
    EXPECT_TRUE(Sent().empty());
    auto* list = Find<QComboBox>(*window, "ComboDestination");
    EXPECT_EQ(list->currentIndex(), entry.Destination());

    // The key break follows the thumb as a note name and is sent once, on release.
    auto* keyBreak = Find<QScrollBar>(*window, "FlatScrollBarKeyBreak");
    auto* note = Find<QLineEdit>(*window, "TextKeyBreak");
    keyBreak->setSliderDown(true);
    keyBreak->setSliderPosition(78);
    EXPECT_EQ(note->text(), "F#6");
    keyBreak->setSliderPosition(62);
    EXPECT_EQ(note->text(), "D5");
    EXPECT_TRUE(Sent().empty());
    keyBreak->setSliderDown(false);
    EXPECT_TRUE(note->isReadOnly());
    const int breakByte = 62 + SoundLayout::kKeyBreakBias;

    auto* direction = Find<QComboBox>(*window, "ComboKeyBreak");
    PickNext(direction);
    QTest::keyClick(direction, Qt::Key_Up);
    PickNext(list);
    Type(Find<QLineEdit>(*window, "TextVelocity"), "200");
    Type(Find<QLineEdit>(*window, "TextVelocity"), "-200");
    Find<QScrollBar>(*window, "FlatScrollBarWheel")
        ->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Sent(), Changes({{Row(SoundLayout::kModulationKeyBreak, 1), breakByte},
                               {Row(SoundLayout::kModulationKeyBreak, 1), 256 - breakByte},
                               {Row(SoundLayout::kModulationKeyBreak, 1), breakByte},
                               {Row(SoundLayout::kModulationDestination, 1), 3},
                               {Row(SoundLayout::kModulationVelocity, 1), 127},
                               {Row(SoundLayout::kModulationVelocity, 1), -128},
                               {Row(SoundLayout::kModulationModWheel, 1), 10}}));
    EXPECT_EQ(Find<QLineEdit>(*window, "TextVelocity")->text(), "-128");
}

TEST_F(FormModulationTest, TextTypedBeforeATabChangeGoesToItsOwnEntry) {
    sound->Modulation(0)->SetModWheel(0);
    sound->Modulation(1)->SetModWheel(-7);
    auto window = Open<FormModulation>();
    Sent();
    const int second = -7;
    auto* text = Find<QLineEdit>(*window, "TextWheel");
    text->setFocus();
    text->selectAll();
    QTest::keyClicks(text, "50");
    auto* tabs = Find<QTabBar>(*window, "TabStrip");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(Sent(), Changes({{Row(SoundLayout::kModulationModWheel, 0), 50}}));
    EXPECT_EQ(text->text(), QString::number(second));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sound->Modulation(1)->ModWheel(), second);

    // A refresh returns to the first entry.
    sound->SetName("Strings");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(window->windowTitle(), "Modulation - Strings");
    EXPECT_EQ(text->text(), "50");
}
