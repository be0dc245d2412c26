// The windows' port lists on a real JACK server: ports that other programs make or drop show up in
// the settings dialog and the audition within a second, through the editor's own watch.
#include <gtest/gtest.h>
#include <jack/jack.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "E2eLink.h"
#include "midi/AuditionLink.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMessageSink.h"
#include "ui/ScriptedFileDialogs.h"
#include "ui/ScriptedModalRunner.h"
#include "ui/app/DeviceWatch.h"
#include "ui/app/FormAudition.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"
#include "ui/app/QtEventPump.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/WindowContext.h"

namespace {
using Moment = std::chrono::steady_clock::time_point;

// Another program on the server, with MIDI ports that send (a keyboard, say).
class OtherProgram {
  public:
    static constexpr const char* kName = "ZEL-1 E2E Keyboards";

    OtherProgram() : client_(jack_client_open(kName, JackNoStartServer, nullptr)) {
        if (client_ == nullptr)
            return;
        // Runs in every cycle, as a program that plays does: a client without a process call
        // takes no part in the cycles, and so holds back every client its ports are connected to.
        jack_set_process_callback(
            client_, [](jack_nframes_t, void*) { return 0; }, nullptr);
        jack_activate(client_);
    }
    ~OtherProgram() {
        if (client_ != nullptr)
            jack_client_close(client_);
    }
    bool Open() const { return client_ != nullptr; }
    static QString Listed(const char* port) { return QStringLiteral("%1:%2").arg(kName, port); }

    // Registers the port; the moment it was asked for.
    Moment Add(const char* port) {
        const Moment asked = std::chrono::steady_clock::now();
        ports_[port] =
            jack_port_register(client_, port, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        return asked;
    }
    Moment Drop(const char* port) {
        const Moment asked = std::chrono::steady_clock::now();
        jack_port_unregister(client_, ports_.at(port));
        ports_.erase(port);
        return asked;
    }
    // Whom the port sends to ("client:port").
    std::vector<std::string> Connections(const char* port) const {
        std::vector<std::string> names;
        if (const char** connected = jack_port_get_connections(ports_.at(port))) {
            for (const char** name = connected; *name != nullptr; ++name)
                names.emplace_back(*name);
            jack_free(connected);
        }
        return names;
    }

  private:
    jack_client_t* client_;
    std::map<std::string, jack_port_t*> ports_;
};

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    return items;
}
}  // namespace

// The editor as the program puts it together, on JACK only: the real driver, the main window with
// its settings dialog, the audition window fed by the device watch.
class WindowWatchTest : public ::testing::Test {
  protected:
    // The editor's own ports, as other programs see them.
    static constexpr const char* kThruPort = "ZEL-1 Edit:audition in";
    static constexpr const char* kLinkPort = "ZEL-1 Edit:ZEL-1 in";

    WindowWatchTest() : driver({"jack"}), midi(driver, messages, pump, clock) {}

    void SetUp() override {
        const std::string synth = E2eLink::EmulatorName("ZEL_E2E_JACK_NAME");
        if (synth.empty())
            GTEST_SKIP() << "run through run-e2e.sh: no JACK server of the tests is running";
        ASSERT_TRUE(other.Open());
        // The synth's ports saved, so the editor starts without asking for them.
        SaveSynthPort(MidiSettings::kKeyIn, MidiSettings::InputDevices(driver), synth + " Out:");
        SaveSynthPort(MidiSettings::kKeyOut, MidiSettings::OutputDevices(driver), synth + " In:");

        window = std::make_unique<MDIFormMain>(midi, store, messages, modal, pump);
        watch = std::make_unique<DeviceWatch>(midi, *window);
        window->SetChildFactory(MDIFormMain::Child::Audition, [this] {
            auto* form = new FormAudition(
                WindowContext{midi, messages, store, pump, dialogs, library, *window, {}});
            form->Load();
            QObject::connect(watch.get(), &DeviceWatch::DevicesChanged, form,
                             &FormAudition::DevicesChanged);
            return form;
        });
        watch->Start();
        window->show();
        window->Load();
        audition = dynamic_cast<FormAudition*>(window->ChildWindow(MDIFormMain::Child::Audition));
        ASSERT_NE(audition, nullptr);
        ASSERT_NE(midi.MidiInHandle(), 0u);

        // The user opens the settings from the View menu and leaves the dialog open.
        modal.answer = [](QDialog&) {};
        window->findChild<QAction*>("MenuViewSettings")->trigger();
        ASSERT_TRUE(window->Settings()->isVisible());
        synthIn = SettingsIn().currentText().toStdString();
        ASSERT_FALSE(synthIn.empty());
    }

    void TearDown() override {
        if (window)
            window->Unload();
    }

    void SaveSynthPort(const char* key, const std::vector<MidiSettings::Device>& devices,
                       const std::string& prefix) {
        for (const MidiSettings::Device& device : devices) {
            if (device.name.rfind(prefix, 0) == 0)
                store.Write(MidiSettings::kApplication, MidiSettings::kSection, key, device.name);
        }
    }

    QComboBox& SettingsIn() const {
        return *window->Settings()->findChild<QComboBox*>("ComboZelIn");
    }
    QComboBox& AuditionIn() const { return *audition->findChild<QComboBox*>("ComboAuditionIn"); }
    std::string Chosen() const { return AuditionIn().currentText().toStdString(); }
    bool InBothLists(const QString& port) const {
        return Items(SettingsIn()).contains(port) && Items(AuditionIn()).contains(port);
    }
    bool InNeither(const QString& port) const {
        return !Items(SettingsIn()).contains(port) && !Items(AuditionIn()).contains(port);
    }

    // Runs the event loop until `done` holds, at most a second after `since`; prints how long it
    // took from then, under `what`.
    template <typename Done>
    bool WithinASecond(Moment since, const char* what, Done done) {
        using std::chrono::milliseconds;
        const Moment deadline = since + std::chrono::seconds(1);
        const int left = static_cast<int>(
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now())
                .count());
        const bool held = QTest::qWaitFor(done, std::max(left, 0));
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - since);
        std::printf("window watch: %s after %.1f ms\n", what, took.count() / 1000.0);
        return held;
    }

    // The user turns the external keyboard on and picks the port from the list.
    void ChooseKeyboard(const QString& port) {
        QCheckBox* external = audition->findChild<QCheckBox*>("CheckAuditionExternal");
        if (!external->isChecked())
            external->click();
        AuditionIn().setCurrentIndex(AuditionIn().findText(port));
    }

    SteadyClock clock;
    QtEventPump pump;
    RecordingMessageSink messages;
    MemorySettingsStore store;
    ScriptedModalRunner modal;
    ScriptedFileDialogs dialogs;
    RtMidiDriver driver;
    ModuleMIDI midi;
    QTemporaryDir backups;
    LibraryDocuments library{midi, backups.path()};
    OtherProgram other;
    std::unique_ptr<MDIFormMain> window;
    std::unique_ptr<DeviceWatch> watch;
    FormAudition* audition = nullptr;
    std::string synthIn;
};

// Both lists follow what other programs make and drop. A port chosen in the dialog as the synth's
// is followed by its name: when it goes the link is closed (so OK warns), and when it returns it
// is chosen and open again.
TEST_F(WindowWatchTest, PortsAreListedAndGoneWithinASecondAndTheSynthsPortOpensOnItsReturn) {
    const QString port = OtherProgram::Listed("synth out");
    ASSERT_TRUE(InNeither(port));
    const Moment added = other.Add("synth out");
    EXPECT_TRUE(WithinASecond(added, "a new port listed in both windows",
                              [&] { return InBothLists(port); }));
    const Moment dropped = other.Drop("synth out");
    EXPECT_TRUE(WithinASecond(dropped, "a dropped port gone from both windows",
                              [&] { return InNeither(port); }));
    EXPECT_EQ(SettingsIn().currentText().toStdString(), synthIn);
    EXPECT_NE(midi.MidiInHandle(), 0u);

    const Moment again = other.Add("synth out");
    ASSERT_TRUE(WithinASecond(again, "the port listed again", [&] { return InBothLists(port); }));
    SettingsIn().setCurrentIndex(SettingsIn().findText(port));
    const auto linked = [&] {
        return other.Connections("synth out") == std::vector<std::string>{kLinkPort};
    };
    ASSERT_TRUE(linked());
    const Moment gone = other.Drop("synth out");
    ASSERT_TRUE(WithinASecond(gone, "the synth's port gone", [&] { return InNeither(port); }));
    EXPECT_EQ(midi.MidiInHandle(), 0u);
    const Moment back = other.Add("synth out");
    EXPECT_TRUE(WithinASecond(back, "the synth's port back, chosen and open", [&] {
        return SettingsIn().currentText() == port && midi.MidiInHandle() != 0 &&
               midi.MidiOutHandle() != 0 && linked();
    }));
    EXPECT_TRUE(messages.Messages().empty());
}

// The external keyboard is followed by its name: ports listed before it come and go without
// moving the choice or its thru, and when its own port goes and comes back the thru opens again.
TEST_F(WindowWatchTest, TheChosenKeyboardIsFollowedByNameWhilePortsComeAndGo) {
    const QString keyboard = OtherProgram::Listed("keyboard");
    const QString earlier = OtherProgram::Listed("earlier");
    const QString later = OtherProgram::Listed("later");
    other.Add("earlier");
    const Moment added = other.Add("keyboard");
    ASSERT_TRUE(WithinASecond(added, "two new ports listed",
                              [&] { return InBothLists(earlier) && InBothLists(keyboard); }));
    ChooseKeyboard(keyboard);
    const MidiHandle thru = audition->Link().AuditionInHandle();
    ASSERT_NE(thru, 0u);
    const auto thruOnKeyboard = [&] {
        return other.Connections("keyboard") == std::vector<std::string>{kThruPort};
    };
    ASSERT_TRUE(thruOnKeyboard());

    // A port before the keyboard goes: the keyboard moves up the list and stays chosen.
    const int before = AuditionIn().findText(keyboard);
    const Moment dropped = other.Drop("earlier");
    ASSERT_TRUE(WithinASecond(dropped, "a port before the chosen one gone",
                              [&] { return InNeither(earlier); }));
    EXPECT_EQ(AuditionIn().findText(keyboard), before - 1);
    EXPECT_EQ(Chosen(), keyboard.toStdString());
    EXPECT_EQ(audition->Link().AuditionInHandle(), thru);
    EXPECT_TRUE(thruOnKeyboard());

    // A new port takes the place the dropped one left, before the keyboard.
    const Moment again = other.Add("later");
    ASSERT_TRUE(WithinASecond(again, "a port before the chosen one listed",
                              [&] { return InBothLists(later); }));
    ASSERT_LT(AuditionIn().findText(later), AuditionIn().findText(keyboard))
        << qPrintable(Items(AuditionIn()).join(QLatin1String(", ")));
    EXPECT_EQ(Chosen(), keyboard.toStdString());
    EXPECT_EQ(audition->Link().AuditionInHandle(), thru);
    EXPECT_TRUE(thruOnKeyboard());

    // The keyboard's own port goes: nothing is chosen and the thru is closed; when it returns it
    // is chosen again and the thru opens on it anew.
    const Moment gone = other.Drop("keyboard");
    ASSERT_TRUE(WithinASecond(gone, "the chosen port gone", [&] { return InNeither(keyboard); }));
    EXPECT_EQ(AuditionIn().currentIndex(), -1);
    EXPECT_EQ(audition->Link().AuditionInHandle(), 0u);
    const Moment back = other.Add("keyboard");
    EXPECT_TRUE(WithinASecond(back, "the chosen port back, chosen and connected", [&] {
        return Chosen() == keyboard.toStdString() && audition->Link().AuditionInHandle() != 0 &&
               thruOnKeyboard();
    }));
    EXPECT_EQ(SettingsIn().currentText().toStdString(), synthIn);
    EXPECT_TRUE(messages.Messages().empty());
}
