#include <QMdiSubWindow>
#include <QTimer>

#include "ShellFixture.h"
#include "platform/MessageSink.h"
#include "ui/common/FormStatus.h"

class ShutdownTest : public ShellFixture {
  protected:
    void StartOnSynth() {
        SaveSynthPorts("2");
        Start();
        ASSERT_TRUE(PortsOpen());
        // A child window's unload must come before the settings are written.
        window->OpenChild(Child::Groups);
        static_cast<TestDocument*>(window->ChildWindow(Child::Groups))->onUnload = [this] {
            unloadWritesSeen = store.Writes().size();
        };
    }

    // The synth's ports are really closed when they can be opened again.
    bool SynthPortsFree() {
        MidiHandle in = 0;
        MidiHandle out = 0;
        const bool free = driver.InOpen(in, 1, {}, 0) == MidiCode::NoError &&
                          driver.OutOpen(out, 2) == MidiCode::NoError;
        driver.InClose(in);
        driver.OutClose(out);
        return free;
    }

    size_t unloadWritesSeen = 99;
};

TEST_F(ShutdownTest, ClosingTheMainWindowUnloadsChildrenThenSavesAndClosesThePorts) {
    StartOnSynth();
    Combo("ComboSystemChannel")->setCurrentIndex(9);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(log.contains("Groups.Unload"));
    EXPECT_EQ(unloadWritesSeen, 0u);
    EXPECT_EQ(store.Writes(), SettingsWrites("9", kSynth, kSynth));
    EXPECT_EQ(midi.MidiInHandle(), 0u);
    EXPECT_EQ(midi.MidiOutHandle(), 0u);
    EXPECT_TRUE(SynthPortsFree());
    EXPECT_EQ(window->Settings(), nullptr);
    EXPECT_TRUE(messages.Messages().empty());  // the frame closes without asking
}

TEST_F(ShutdownTest, ExitAsksAndCancelLeavesEverythingAsItWas) {
    StartOnSynth();
    // A maximised child adds its title to the frame's; the question keeps the caption.
    QWidget* groups = window->ChildWindow(Child::Groups);
    groups->setWindowTitle("Groups");
    window->Host().SubWindowOf(groups)->showMaximized();
    messages.QueueAnswer(MessageFlags::ResultCancel);
    Action("MenuFileExit")->trigger();

    EXPECT_EQ(messages.Messages(), (std::vector<RecordingMessageSink::Message>{
                                       {"Are you sure you want to exit?", "ZEL-1 Edit", 33}}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(PortsOpen());
    EXPECT_NE(window->Settings(), nullptr);
    EXPECT_NE(window->ChildWindow(Child::Groups), nullptr);
    EXPECT_TRUE(store.Writes().empty());

    messages.QueueAnswer(MessageFlags::ResultOk);
    Action("MenuFileExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(PortsOpen());
    EXPECT_EQ(store.Writes(), SettingsWrites("2", kSynth, kSynth));
}

TEST_F(ShutdownTest, CloseAllUnloadsEveryOtherWindowAndViewSettingsReopensTheSavedPorts) {
    StartOnSynth();
    window->Status().show();
    Action("MenuWinCloseAll")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->ChildWindow(Child::Groups), nullptr);
    EXPECT_EQ(window->findChild<FormStatus*>(), nullptr);
    EXPECT_EQ(window->Settings(), nullptr);
    EXPECT_EQ(store.Writes(), SettingsWrites("2", kSynth, kSynth));
    EXPECT_FALSE(PortsOpen());
    EXPECT_TRUE(SynthPortsFree());

    // The reloaded dialog lists the devices anew: one plugged in meanwhile is there.
    driver.PlugIn({"Keyboard In"}, {"Keyboard Out"});
    Action("MenuViewSettings")->trigger();
    EXPECT_TRUE(PortsOpen());
    EXPECT_EQ(midi.SystemChannel(), 2);
    EXPECT_EQ(modal.Runs().size(), 1u);  // shown once, by the command
    EXPECT_GE(Combo("ComboZelIn")->findText("Keyboard In"), 0);
    EXPECT_GE(Combo("ComboZelOut")->findText("Keyboard Out"), 0);
}

TEST_F(ShutdownTest, AFrameCloseDuringAnExchangeWaitsForItsEnd) {
    StartOnSynth();
    driver.Synth().GetFaults().silent = true;
    // The frame's close arrives while the editor waits for the synth's reply.
    QTimer::singleShot(0, window.get(), &QWidget::close);
    midi.SendRequest(1, -1);
    EXPECT_FALSE(midi.WaitForMessage(false));
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(window->Settings(), nullptr);
    EXPECT_EQ(messages.Messages().back().text, "Timeout waiting for message from ZEL-1");

    // Once the exchange is over the close goes through as usual.
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(midi.MidiInHandle(), 0u);
    EXPECT_EQ(store.Writes(), SettingsWrites("2", kSynth, kSynth));
}
