#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "ShellFixture.h"
#include "core/SoundTestSupport.h"
#include "model/ClassLFO.h"
#include "tables/SoundLayout.h"
#include "ui/widgets/ListBinding.h"
#include "ui/widgets/ValueRow.h"

// The value row and the list binding on sounds of the virtual ZEL-1: what reaches the synth is
// what the user chose, once, and never what a window only shows.
class SharedWidgetsTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        ASSERT_TRUE(library.Sounds().GetSoundsFromSynth());
        Sent();
    }

    ClassSound& Sound(int slot) { return *library.Sounds().Sound(slot); }
    WireMessages Sent() { return TakeReceived(driver.Synth()); }
    static WireMessage Transpose(int sound, int value) {
        return Change(sound, SoundLayout::kTranspose, value);
    }
    void Type(QLineEdit& text, const QString& typed) {
        text.setFocus();
        text.selectAll();
        QTest::keyClicks(&text, typed);
        QTest::keyClick(&text, Qt::Key_Return);
    }

    QWidget host;
};

TEST_F(SharedWidgetsTest, AValueRowSendsWhatTheUserChoseOnceAndNeverWhatItShows) {
    int shown = 3;
    ValueRow row(QStringLiteral("Transpose"), {-64, 63, 1, 12}, &host, 2);
    EXPECT_EQ(row.Bar()->objectName(), "FlatScrollBarTranspose_2");
    EXPECT_EQ(row.Text()->objectName(), "TextTranspose_2");
    row.Bind([&] { return Sound(shown).Transpose(); },
             [&]() -> ValueRow::Writer {
                 ClassSound* sound = &Sound(shown);
                 return [sound](int value) { sound->SetTranspose(static_cast<int16_t>(value)); };
             });
    host.show();

    row.Refresh();
    row.Show(100);
    EXPECT_EQ(row.Value(), 63);
    EXPECT_EQ(row.Text()->text(), "63");
    EXPECT_TRUE(Sent().empty());

    Type(*row.Text(), QStringLiteral("12abc"));
    EXPECT_EQ(row.Text()->text(), "12");
    Type(*row.Text(), QStringLiteral("012"));
    EXPECT_EQ(row.Text()->text(), "012");
    Type(*row.Text(), QStringLiteral("-100"));
    EXPECT_EQ(row.Text()->text(), "-64");
    EXPECT_EQ(Sent(), (WireMessages{Transpose(3, 12), Transpose(3, -64)}));

    // A thumb drag shows its way and sends once, where it ends.
    row.Bar()->setSliderDown(true);
    row.Bar()->setSliderPosition(5);
    row.Bar()->setSliderPosition(7);
    EXPECT_EQ(row.Text()->text(), "7");
    EXPECT_TRUE(Sent().empty());
    row.Bar()->setSliderDown(false);
    EXPECT_EQ(Sent(), WireMessages{Transpose(3, 7)});

    // Text typed for sound 3 and left pending when sound 4 is shown goes to sound 3.
    row.Text()->setFocus();
    row.Text()->selectAll();
    QTest::keyClicks(row.Text(), QStringLiteral("-5"));
    shown = 4;
    row.Refresh();
    EXPECT_EQ(Sent(), WireMessages{Transpose(3, -5)});
    EXPECT_EQ(row.Value(), Sound(4).Transpose());
    EXPECT_EQ(Sound(3).Transpose(), -5);
}

TEST_F(SharedWidgetsTest, StepsThatArriveWhileTheSynthIsPacedAreWrittenOnceAfterwards) {
    std::vector<int> writes;
    ValueRow row(QStringLiteral("Transpose"), {-64, 63, 1, 12}, &host);
    row.Bind([&] { return Sound(0).Transpose(); },
             [&]() -> ValueRow::Writer {
                 return [&](int value) {
                     writes.push_back(value);
                     // A held arrow repeats while the write waits for the synth.
                     if (writes.size() == 1) {
                         row.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                         row.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                     }
                     Sound(0).SetTranspose(static_cast<int16_t>(value));
                 };
             });
    row.Show(0);
    row.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(writes, std::vector<int>{1});
    QCoreApplication::processEvents();
    EXPECT_EQ(writes, (std::vector<int>{1, 3}));
    EXPECT_EQ(Sent(), (WireMessages{Transpose(0, 1), Transpose(0, 3)}));
}

TEST_F(SharedWidgetsTest, AListWritesOnlyAUsersPickOfAnotherEntry) {
    QComboBox list(&host);
    list.addItems({"Sine", "Triangle", "Square"});
    ClassLFO& lfo = *Sound(5).LFO(1);
    ListBinding binding(
        list, [&] { return lfo.Wave(); },
        [&]() -> ListBinding::Writer {
            return [&](int wave) { lfo.SetWave(static_cast<int16_t>(wave)); };
        });
    binding.Show(40);
    EXPECT_EQ(list.currentIndex(), -1);
    binding.Show(1);
    emit list.activated(1);
    EXPECT_TRUE(Sent().empty());

    // The wheel over a list that does not have the focus changes nothing.
    host.show();
    QWheelEvent wheel(QPointF(5, 5), list.mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&list, &wheel);
    EXPECT_EQ(list.currentIndex(), 1);

    list.setCurrentIndex(2);
    emit list.activated(2);
    const int waveOffset = SoundLayout::LfoBase(1) + SoundLayout::kLfoWave;
    EXPECT_EQ(Sent(), WireMessages{Change(5, waveOffset, 2)});
    EXPECT_EQ(lfo.Wave(), 2);
}
