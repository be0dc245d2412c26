#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "ShellFixture.h"
#include "ui/app/FormUtility.h"

using Msg = RecordingMessageSink::Message;

class UtilityWindowTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->SetChildFactory(Child::Utility, [this] {
            auto* form = new FormUtility(Context());
            form->Load();
            return form;
        });
        messages.Clear();
    }
    VirtualZel1& Synth() { return driver.Synth(); }
    FormUtility* Open() {
        window->ViewUtility();
        return dynamic_cast<FormUtility*>(window->ChildWindow(Child::Utility));
    }
    template <class T>
    T* Control(const char* name) const {
        QWidget* form = window->ChildWindow(Child::Utility);
        return form ? form->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void Click(const char* name) {
        // Near the left edge: a check box only takes clicks on its box and caption.
        QAbstractButton* button = Control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    void Pick(const char* list, int index) {
        QComboBox* combo = Control<QComboBox>(list);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    bool Closed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window->ChildWindow(Child::Utility) == nullptr;
    }
};

TEST_F(UtilityWindowTest, ShowsTheSynthsRecordAndSendsItBackUnchanged) {
    const RawData globals{64, 0, 255, 0x21, 255, 7, 3};
    Synth().SetGlobals(globals);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Control<QLineEdit>("TextController")->text(), "64");
    EXPECT_EQ(Control<QComboBox>("ComboSystemChannel")->currentText(), "Omni");
    EXPECT_TRUE(Control<QCheckBox>("CheckMemoryProtect")->isChecked());
    for (const char* box :
         {"CheckProgChange", "CheckControllers", "CheckAftertouch", "CheckPitchBend"})
        EXPECT_FALSE(Control<QCheckBox>(box)->isChecked()) << box;
    EXPECT_TRUE(Control<QCheckBox>("CheckVelocity")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("CheckSysex")->isChecked());
    EXPECT_EQ(Control<QLineEdit>("TextTune")->text(), "-1");
    EXPECT_EQ(Control<QScrollBar>("FlatScrollBarTune")->value(), -1);
    EXPECT_EQ(Control<QScrollBar>("FlatScrollBarPitchBend")->value(), 7);
    EXPECT_EQ(Control<QComboBox>("ComboKeyMode")->currentText(), "First Note Priority (fn2)");

    Synth().SetGlobals(RawData(7, 0));
    Click("CommandOk");
    EXPECT_EQ(Synth().Globals(), globals);  // "Omni": no warning
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(Closed());
}

TEST_F(UtilityWindowTest, BytesNoControlShowsGoBackUnlessTheUserChangedThem) {
    Synth().SetGlobals(RawData{200, 1, 7, 0xC1, 40, 30, 9});
    Open();
    Click("CheckVelocity");  // off
    QLineEdit* tune = Control<QLineEdit>("TextTune");
    tune->setFocus();
    tune->selectAll();
    QTest::keyClicks(tune, "-3");
    // Typing alone changes nothing; Enter applies it through the bar.
    EXPECT_EQ(Control<QScrollBar>("FlatScrollBarTune")->value(), 19);
    QTest::keyClick(tune, Qt::Key_Return);
    EXPECT_EQ(Control<QScrollBar>("FlatScrollBarTune")->value(), -3);
    Click("CommandOk");
    EXPECT_EQ(Synth().Globals(), (RawData{200, 1, 7, 0xC0, 253, 30, 9}));
}

TEST_F(UtilityWindowTest, AnotherChannelWarnsSendsAndTheEditorFollows) {
    Open();
    Pick("ComboSystemChannel", 2);
    Click("CommandOk");
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{FormUtility::kChannelWarning, "Utility", 64}}));
    EXPECT_EQ(Synth().Globals()[1], 2);
    EXPECT_EQ(Synth().SystemChannel(), 1);
    EXPECT_EQ(midi.SystemChannel(), 1);
    EXPECT_EQ(store.Read(MidiSettings::kApplication, MidiSettings::kSection, "SystemChannel", ""),
              "1");
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
    ASSERT_TRUE(Closed());

    // The next exchange passes the channel check.
    messages.Clear();
    Open();
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(Control<QPushButton>("CommandOk")->isEnabled());
    // Shutting down keeps the followed channel.
    window->Unload();
    EXPECT_EQ(store.Read(MidiSettings::kApplication, MidiSettings::kSection, "SystemChannel", ""),
              "1");
}

TEST_F(UtilityWindowTest, AFailedReadLeavesOnlyCancel) {
    Synth().GetFaults().silent = true;
    Open();
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_FALSE(Control<QPushButton>("CommandOk")->isEnabled());
    EXPECT_FALSE(Control<QComboBox>("ComboSystemChannel")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("CommandCancel")->isEnabled());
    Synth().ClearLog();
    Click("CommandCancel");
    EXPECT_TRUE(Synth().Received().empty());
    EXPECT_TRUE(Closed());
}

TEST_F(UtilityWindowTest, ARefusalOfTheDumpIsShownAndTheWindowStays) {
    Open();
    // The synth answers the dump with a checksum error.
    driver.Inject({0xF0, 0x00, 0x20, 0x08, 0x01, 0x40, 0x01, 0xF7}, 0.2);
    Click("CommandOk");
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"Checksum mismatch", "System Exclusive", 16}}));
    EXPECT_FALSE(Closed());
}
