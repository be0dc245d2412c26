#include <QAbstractItemView>
#include <QTest>

#include "ShellFixture.h"
#include "platform/MessageSink.h"

using Bytes = std::vector<uint8_t>;

class StartupTest : public ShellFixture {
  protected:
    static QStringList Items(const QComboBox* combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
};

TEST_F(StartupTest, FirstRunShowsTheSettingsModallyAndWarnsWhenLeftWithoutPorts) {
    Start();

    ASSERT_EQ(modal.Runs().size(), 1u);
    EXPECT_EQ(modal.Runs()[0].dialog, "FormSettings");
    EXPECT_EQ(modal.Runs()[0].inIndex, -1);
    EXPECT_EQ(modal.Runs()[0].outIndex, -1);
    EXPECT_EQ(modal.Runs()[0].channelIndex, 0);
    // Every input is listed; outputs only where they are MIDI ports.
    EXPECT_EQ(Items(Combo("ComboZelIn")), QStringList({"USB MIDI Interface", kSynth, "Busy Port"}));
    EXPECT_EQ(Items(Combo("ComboZelOut")), QStringList({"USB MIDI Interface", kSynth}));
    EXPECT_EQ(Combo("ComboZelOut")->itemData(1).toInt(), 2);
    EXPECT_EQ(Items(Combo("ComboSystemChannel")),
              QStringList({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12",
                           "13", "14", "15", "16"}));
    EXPECT_FALSE(PortsOpen());
    EXPECT_EQ(
        messages.Messages(),
        (std::vector<RecordingMessageSink::Message>{{FormSettings::kWarning, "Settings", 48}}));
    EXPECT_FALSE(window->Settings()->isVisible());
}

TEST_F(StartupTest, DevicesPickedInTheDialogOpenAtOnceAndTheChannelAppliesToTheNextMessage) {
    modal.answer = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("ComboZelIn")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("ComboZelOut")->setCurrentIndex(1);
        dialog.findChild<QComboBox*>("ComboSystemChannel")->setCurrentIndex(11);
        QTest::mouseClick(dialog.findChild<QPushButton*>("CommandOk"), Qt::LeftButton);
    };
    Start();

    EXPECT_TRUE(PortsOpen());
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(Combo("ComboSystemChannel")->currentText(), "12");
    driver.Synth().ClearLog();
    midi.SendRequest(1, -1);
    EXPECT_EQ(driver.Synth().Received(),
              (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x2B, 0x01, 0xF7}}));
}

TEST_F(StartupTest, SavedDevicesOpenWithoutTheDialogAlsoWhenTheirCaseDiffers) {
    Save(MidiSettings::kKeyIn, "zel-1 EMULATOR");
    Save(MidiSettings::kKeyOut, kSynth);
    Save(MidiSettings::kKeySystemChannel, "4");
    Start();

    EXPECT_TRUE(modal.Runs().empty());
    EXPECT_TRUE(PortsOpen());
    EXPECT_EQ(Combo("ComboZelIn")->currentText(), kSynth);
    EXPECT_EQ(Combo("ComboSystemChannel")->currentText(), " 5");
    EXPECT_EQ(midi.SystemChannel(), 4);
    // The link works: a request gets the dump back from a synth on that channel.
    driver.Synth().SetSystemChannel(4);
    midi.SendRequest(0, 3);
    ASSERT_TRUE(midi.WaitForMessage(false));
    RawData sound;
    EXPECT_EQ(midi.ExtractData(sound), 0);
    EXPECT_EQ(sound, driver.Synth().Sound(3));
}

TEST_F(StartupTest, ASavedDeviceThatIsGoneLeavesItsPortClosedAndShowsTheDialog) {
    Save(MidiSettings::kKeyIn, "Old Interface");
    Save(MidiSettings::kKeyOut, kSynth);
    Save(MidiSettings::kKeySystemChannel, "16");  // never written by the dialog: reads as 0
    Start();

    ASSERT_EQ(modal.Runs().size(), 1u);
    EXPECT_EQ(modal.Runs()[0].inIndex, -1);
    EXPECT_EQ(modal.Runs()[0].outIndex, 1);
    EXPECT_EQ(modal.Runs()[0].channelIndex, 0);
    EXPECT_EQ(midi.MidiInHandle(), 0u);
    EXPECT_NE(midi.MidiOutHandle(), 0u);
}

TEST_F(StartupTest, ADeviceThatFailsToOpenShowsTheDriverTextAndIsDeselected) {
    SaveSynthPorts();
    Start();
    QComboBox* in = Combo("ComboZelIn");

    in->setCurrentIndex(2);  // "Busy Port"
    EXPECT_EQ(messages.Messages(), (std::vector<RecordingMessageSink::Message>{
                                       {StandardMidiErrorText(MidiCode::Allocated),
                                        "Open ZEL In Port", MessageFlags::Exclamation}}));
    EXPECT_EQ(in->currentIndex(), -1);
    EXPECT_EQ(midi.MidiInHandle(), 0u);

    // Another device closes the port it replaces.
    in->setCurrentIndex(0);
    EXPECT_EQ(driver.OpenOthers().size(), 1u);
    in->setCurrentIndex(1);
    EXPECT_TRUE(driver.OpenOthers().empty());
    EXPECT_TRUE(PortsOpen());

    // Leaving the dialog by Escape is OK, not an unload: the ports stay open.
    modal.answer = [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };
    window->ViewSettings();
    EXPECT_FALSE(window->Settings()->isVisible());
    EXPECT_TRUE(PortsOpen());
    EXPECT_NE(window->Settings(), nullptr);
}

TEST_F(StartupTest, PickingTheShownDeviceAgainOpensItsPortAfresh) {
    SaveSynthPorts();
    Start();
    ASSERT_TRUE(PortsOpen());
    window->Settings()->show();
    // The synth's ports went away and came back; the lists still show them.
    midi.ClosePorts();
    for (const char* name : {"ComboZelIn", "ComboZelOut"}) {
        QComboBox* list = Combo(name);
        ASSERT_EQ(list->currentText(), kSynth);
        list->showPopup();
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    EXPECT_TRUE(PortsOpen());
    EXPECT_TRUE(messages.Messages().empty());
}
