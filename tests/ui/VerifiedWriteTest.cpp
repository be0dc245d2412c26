#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>

#include "ShellFixture.h"
#include "TestSoundEditor.h"
#include "core/FileTestSupport.h"
#include "core/SoundTestSupport.h"
#include "model/ReadBackCheck.h"
#include "ui/app/DeviceWatch.h"
#include "ui/common/FormStatus.h"
#include "ui/library/FormSounds.h"

// Writes from the sound browser read back from the virtual ZEL-1; a synth that loses what it was
// sent is caught by name. And the synth's port going away and coming back.
class VerifiedWriteTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        editors = [](SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound) {
            return new TestSoundEditor(kind, sound);
        };
        Start();
        window->SetChildFactory(Child::Sounds, [this] {
            auto* form = new FormSounds(Context());
            form->Load();
            return form;
        });
        Action("MenuViewSounds")->trigger();
        Browser()->findChild<QListWidget*>("ListView")->setCurrentRow(3);
        Synth().ClearLog();
    }

    VirtualZel1& Synth() { return driver.Synth(); }
    QWidget* Browser() const { return window->ChildWindow(Child::Sounds); }
    void Menu(const char* name) {
        window->Host().Activate(Browser());
        Action(name)->trigger();
    }
    // The requests the synth received since the log was cleared.
    WireMessages Requests() {
        WireMessages found;
        for (const auto& m : Synth().Received()) {
            if (m.size() > 5 && (m[5] >> 4) == 2)
                found.push_back(m);
        }
        Synth().ClearLog();
        return found;
    }
    QString Status() const { return window->statusBar()->currentMessage(); }
    // Opens an all-sounds file holding the synth's sounds with sound 3 renamed.
    void OpenAllRenaming(const std::string& name) {
        RawData all = SynthSounds(Synth());
        for (size_t i = 0; i < 10; ++i)
            all[3 * 138 + i] = i < name.size() ? name[i] : ' ';
        std::vector<uint8_t> file = AsBytes(all);
        file.push_back(0);
        PutFile(files.Path("set.zas"), file);
        dialogs.Answer(QString::fromStdString(files.Path("set.zas")));
        Menu("MenuFileOpenAll");
    }

    TempFolder files;
};

TEST_F(VerifiedWriteTest, OpenAllIsReadBackAndASoundTheSynthKeptIsNamed) {
    // The send and the read-back each show the progress window with a bar that moves on.
    std::map<QString, std::vector<int>> shown;
    auto* bar = window->Status().findChild<QProgressBar*>("ProgressBar");
    auto* message = window->Status().findChild<QLabel*>("LabelMessage");
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        if (window->Status().isVisible() && bar->isVisible())
            shown[message->text()].push_back(value);
    });
    OpenAllRenaming("Glass");
    EXPECT_FALSE(window->Status().isVisible());
    for (const char* step : {"Sending all sounds to ZEL-1...", "Reading back what was sent..."}) {
        ASSERT_FALSE(shown[step].empty()) << step;
        EXPECT_GT(shown[step].back(), shown[step].front()) << step;
        EXPECT_LT(shown[step].back(), 100) << step;
    }
    EXPECT_EQ(Requests(), WireMessages{Frame(0x20, {1})});
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(Status().startsWith("Verified. The ZEL-1's sounds from before Open All: "));

    Synth().GetFaults().ignoresSound = 3;
    OpenAllRenaming("Lost");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "The ZEL-1 does not hold what was sent to it:\nSound 3 (Lost): Name");
    EXPECT_FALSE(Status().startsWith("Verified"));
    EXPECT_EQ(Requests().size(), 1u);

    // Switched off in the settings dialog: nothing is read back, nothing is said.
    auto* check = window->Settings()->findChild<QCheckBox*>("CheckVerifyWrites");
    ASSERT_TRUE(check->isChecked());
    check->click();
    EXPECT_EQ(store.Read("ZEL_EDITOR", "settings", "VerifyWrites", ""), "0");
    OpenAllRenaming("Quiet");
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST_F(VerifiedWriteTest, OpenIntoASlotNewAndRefreshNameTheFirstParameterLost) {
    RawData sound = Synth().Sound(3);
    sound[117] = static_cast<int16_t>(sound[117] ^ 0x03);  // the transpose
    PutFile(files.Path("one.zel"), AsBytes(sound));
    Synth().GetFaults().ignoresSoundByte = 117;
    dialogs.Answer(QString::fromStdString(files.Path("one.zel")));
    Menu("MenuFileOpen");
    EXPECT_EQ(Requests(), WireMessages{Frame(0x20, {0, 3})});
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_NE(messages.Messages()[0].text.find("Sound 3 ("), std::string::npos);
    EXPECT_NE(messages.Messages()[0].text.find("): Transpose"), std::string::npos);

    Synth().GetFaults().ignoresSoundByte = -1;
    Menu("MenuEditRefresh");
    EXPECT_EQ(Requests(), WireMessages{Frame(0x20, {0, 3})});
    EXPECT_EQ(Status(), "Verified");
    EXPECT_EQ(Synth().Sound(3), sound);

    messages.QueueAnswer(MessageFlags::ResultOk);
    Menu("MenuFileNew");
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Status(), "Verified");
    EXPECT_EQ(messages.Messages().size(), 2u);  // the question only
}

TEST_F(VerifiedWriteTest, APortThatVanishesIsReportedAndReopenedWhenItReturns) {
    DeviceWatch watch(midi, *window);
    watch.Look();
    EXPECT_TRUE(Status().isEmpty());

    driver.Unplug(kSynth);
    watch.Look();
    EXPECT_EQ(Status(),
              "The ZEL-1's port \"ZEL-1 Emulator\" has gone; it opens again when it "
              "returns.");
    EXPECT_FALSE(PortsOpen());
    watch.Look();  // still gone: nothing new to say, nothing opened
    EXPECT_FALSE(PortsOpen());

    driver.PlugIn({kSynth}, {kSynth});
    watch.Look();
    EXPECT_EQ(Status(), "The ZEL-1's port \"ZEL-1 Emulator\" is back and open again.");
    ASSERT_TRUE(PortsOpen());
    EXPECT_TRUE(messages.Messages().empty());

    // The reopened port carries an exchange.
    RawData held;
    ASSERT_TRUE(midi.RequestDump(ModuleMIDI::kOneSound, 2, 138, held));
    EXPECT_EQ(held, Synth().Sound(2));
}
