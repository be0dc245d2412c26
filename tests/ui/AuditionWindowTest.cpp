#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <thread>

#include "ShellFixture.h"
#include "midi/AuditionLink.h"
#include "midi/ModuleGlobals.h"
#include "ui/app/FormAudition.h"
#include "ui/widgets/PianoKeyboard.h"

namespace {
uint32_t Note(int channel, int note, int velocity) {
    return static_cast<uint32_t>(0x90 | channel | (note << 8) | (velocity << 16));
}
}  // namespace

class AuditionWindowTest : public ShellFixture {
  protected:
    void StartWithAudition() {
        SaveSynthPorts();
        window = std::make_unique<MDIFormMain>(midi, store, messages, modal, pump);
        window->SetChildFactory(Child::Audition, [this] {
            auto* form = new FormAudition(Context());
            form->Load();
            return form;
        });
        window->show();
        window->Load();
        form = dynamic_cast<FormAudition*>(window->ChildWindow(Child::Audition));
        ASSERT_NE(form, nullptr);
        Synth().ClearLog();
        store.ClearWrites();
    }
    VirtualZel1& Synth() { return driver.Synth(); }
    QMdiSubWindow* Frame() const { return window->Host().SubWindowOf(form); }
    template <class T>
    T* Control(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    void Press(int key) { QTest::mousePress(Key(key), Qt::LeftButton); }
    void Release(int key) { QTest::mouseRelease(Key(key), Qt::LeftButton); }
    QPushButton* Key(int key) const {
        return Control<QPushButton>(qPrintable(QStringLiteral("CommandKey_%1").arg(key)));
    }
    void Pick(const char* list, int index) { Control<QComboBox>(list)->setCurrentIndex(index); }
    // The thru forwards on a thread of its own, in real time.
    bool ThruTook(uint64_t n) {
        for (int i = 0; i < 5000 && form->Link().Taken() < n; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return form->Link().Taken() >= n;
    }

    FormAudition* form = nullptr;
};

TEST_F(AuditionWindowTest, KeysStopExactlyTheNotesTheyStarted) {
    StartWithAudition();
    EXPECT_FALSE(Frame()->isVisible());  // loaded hidden
    window->ViewAudition();
    ASSERT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Control<QComboBox>("ComboOctave")->currentText(), "C3 to C5");

    Press(0);
    Release(0);
    Press(24);
    Release(24);
    EXPECT_EQ(Synth().ShortMessages(), (std::vector<uint32_t>{Note(0, 48, 120), Note(0, 48, 0),
                                                              Note(0, 72, 120), Note(0, 72, 0)}));
    Synth().ClearLog();

    // A held key's note stops on its own channel when the channel, the range or the window
    // changes; the later release sends nothing more.
    Pick("ComboAudOutChannel", 3);
    Press(1);
    Pick("ComboOctave", 3);
    // Screen readers find the keyboard by its label and each key by the note it plays.
    auto* keyboard = QAccessible::queryAccessibleInterface(Control<QWidget>("PianoKeyboard"));
    EXPECT_EQ(keyboard->text(QAccessible::Name), "Keyboard, Audition");
    EXPECT_EQ(keyboard->childCount(), PianoKeyboard::kKeys);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Key(2))->text(QAccessible::Name),
              QString::fromStdString(NoteName(74)));
    Press(2);
    Pick("ComboAudOutChannel", 4);
    Press(0);
    QTest::mouseClick(Control<QPushButton>("CommandOk"), Qt::LeftButton);
    EXPECT_FALSE(Frame()->isVisible());
    Release(0);
    EXPECT_EQ(Synth().ShortMessages(),
              (std::vector<uint32_t>{Note(3, 49, 120), Note(3, 49, 0), Note(3, 74, 120),
                                     Note(3, 74, 0), Note(4, 72, 120), Note(4, 72, 0)}));
    Synth().ClearLog();

    QTest::mouseClick(Control<QPushButton>("CommandAllNotesOff"), Qt::LeftButton);
    const auto& off = Synth().ShortMessages();
    ASSERT_EQ(off.size(), 128u);
    for (int note = 0; note < 128; ++note)
        EXPECT_EQ(off[note], Note(4, note, 0));
}

TEST_F(AuditionWindowTest, ThruRunsHiddenUntilTheBoxIsUnchecked) {
    Save("AuditionExternal", "1");
    Save("AuditionIn", "USB MIDI Interface");
    Save("AuditionInChannel", "1");
    Save("AuditionOutChannel", "16");  // not in the list: channel 1
    StartWithAudition();
    const MidiHandle input = form->Link().AuditionInHandle();
    ASSERT_NE(input, 0u);
    EXPECT_EQ(Control<QComboBox>("ComboAudOutChannel")->currentIndex(), 0);

    // Shown, then closed by its frame: only hidden, and the thru keeps going.
    window->ViewAudition();
    Frame()->close();
    EXPECT_FALSE(Frame()->isVisible());
    ASSERT_EQ(window->ChildWindow(Child::Audition), form);
    driver.Play(input, Note(1, 60, 99));
    driver.Play(input, Note(2, 61, 99));
    ASSERT_TRUE(ThruTook(2));
    EXPECT_EQ(Synth().ShortMessages(), (std::vector<uint32_t>{Note(0, 60, 99)}));

    window->ViewAudition();
    QCheckBox* external = Control<QCheckBox>("CheckAuditionExternal");
    QTest::mouseClick(external, Qt::LeftButton, {}, QPoint(4, external->height() / 2));
    EXPECT_EQ(form->Link().AuditionInHandle(), 0u);
    EXPECT_FALSE(driver.OpenOthers().count(input));
    EXPECT_FALSE(Control<QComboBox>("ComboAuditionIn")->isEnabled());
    EXPECT_FALSE(Control<QComboBox>("ComboAudInChannel")->isEnabled());
}

TEST_F(AuditionWindowTest, UnloadingSavesTheFiveSettingsInOrder) {
    StartWithAudition();
    Pick("ComboOctave", 4);
    Pick("ComboAudInChannel", 9);
    Pick("ComboAudOutChannel", 15);
    window->Unload();
    const std::string a = MidiSettings::kApplication;
    const std::string s = MidiSettings::kSection;
    const std::vector<MemorySettingsStore::Entry> expected{{a, s, "VirtualKeyboardOctave", "4"},
                                                           {a, s, "AuditionIn", ""},
                                                           {a, s, "AuditionInChannel", "9"},
                                                           {a, s, "AuditionOutChannel", "15"},
                                                           {a, s, "AuditionExternal", "0"}};
    ASSERT_GE(store.Writes().size(), expected.size());
    EXPECT_EQ(
        std::vector<MemorySettingsStore::Entry>(store.Writes().begin(), store.Writes().begin() + 5),
        expected);
}

// With the keyboard's tab up, the computer's keys play as two rows of a piano at the chosen
// velocity; a held key does not repeat and leaving the keyboard stops what it holds. The
// window opens again on the tab and velocity last used.
TEST_F(AuditionWindowTest, TheComputerKeyboardPlaysAtTheChosenVelocityAndTheTabIsKept) {
    StartWithAudition();
    window->ViewAudition();
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(Control<QSpinBox>("UpDownVelocity")->value(), 120);
    Control<QTabWidget>("TabStrip")->setCurrentIndex(1);
    auto* keyboard = Control<QWidget>("PianoKeyboard");
    ASSERT_TRUE(keyboard->hasFocus());

    QTest::keyPress(keyboard, Qt::Key_Z);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z", true);
    QCoreApplication::sendEvent(keyboard, &repeat);
    EXPECT_TRUE(Key(0)->isDown());
    QTest::keyRelease(keyboard, Qt::Key_Z);
    Control<QSpinBox>("UpDownVelocity")->setValue(90);
    QTest::keyPress(keyboard, Qt::Key_I);
    QTest::keyPress(keyboard, Qt::Key_Comma);
    QTest::keyPress(keyboard, Qt::Key_A);  // no key of the piano
    Control<QTabWidget>("TabStrip")->setCurrentIndex(0);
    EXPECT_FALSE(Key(24)->isDown());
    EXPECT_EQ(Synth().ShortMessages(),
              (std::vector<uint32_t>{Note(0, 48, 120), Note(0, 48, 0), Note(0, 72, 90),
                                     Note(0, 60, 90), Note(0, 60, 0), Note(0, 72, 0)}));

    Control<QTabWidget>("TabStrip")->setCurrentIndex(1);
    window->Unload();
    FormAudition again(Context());
    again.Load();
    EXPECT_EQ(again.findChild<QTabWidget*>("TabStrip")->currentIndex(), 1);
    EXPECT_EQ(again.findChild<QSpinBox*>("UpDownVelocity")->value(), 90);
}
