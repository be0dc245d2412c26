#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>
#include <memory>

#include "ScriptedModalRunner.h"
#include "StudioDriver.h"
#include "TestDocument.h"
#include "support/MemorySettingsStore.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"
#include "ui/app/QtEventPump.h"
#include "ui/common/LibraryDocuments.h"
#include "ScriptedFileDialogs.h"
#include "ui/common/WindowContext.h"

// The main window on the virtual ZEL-1 among a studio's other devices, with settings in memory,
// scripted message boxes and modal dialogs, and a virtual clock.
class ShellFixture : public ::testing::Test {
  protected:
    using Child = MDIFormMain::Child;
    static constexpr const char* kSynth = "ZEL-1 Emulator";

    ShellFixture()
        : driver(clock, {{"USB MIDI Interface"}, {kSynth}, {"Busy Port", 1, MidiCode::Allocated}},
                 {{"Wavetable Synth", MidiCode::TechSynth},
                  {"USB MIDI Interface"},
                  {kSynth},
                  {"Midi Mapper", MidiCode::TechMapper}}),
          midi(driver, messages, pump, clock),
          library(midi, backups.path()) {}

    // What the windows of the program get, with scripted file dialogs; valid after Start().
    WindowContext Context() {
        return {midi, messages, store, pump, dialogs, library, *window, editors};
    }

    void Save(const char* key, const std::string& value) {
        store.Write(MidiSettings::kApplication, MidiSettings::kSection, key, value);
    }
    void SaveSynthPorts(const std::string& channel = "0") {
        Save(MidiSettings::kKeyIn, kSynth);
        Save(MidiSettings::kKeyOut, kSynth);
        Save(MidiSettings::kKeySystemChannel, channel);
    }

    // Makes and loads the main window, with test documents for the two browsers.
    void Start() {
        window = std::make_unique<MDIFormMain>(midi, store, messages, modal, pump);
        window->SetChildFactory(Child::Sounds, [this] {
            return new TestDocument(DocumentWindow::Kind::Sounds, soundsSynchronised, &log);
        });
        window->SetChildFactory(Child::Groups, [this] {
            return new TestDocument(DocumentWindow::Kind::Groups, true, &log);
        });
        window->show();
        store.ClearWrites();
        window->Load();
    }

    QAction* Action(const char* name) const { return window->findChild<QAction*>(name); }
    QComboBox* Combo(const char* name) const {
        return window->Settings() ? window->Settings()->findChild<QComboBox*>(name) : nullptr;
    }
    bool PortsOpen() const { return midi.MidiInHandle() != 0 && midi.MidiOutHandle() != 0; }
    std::vector<MemorySettingsStore::Entry> SettingsWrites(const std::string& channel,
                                                           const std::string& in,
                                                           const std::string& out) const {
        const std::string a = MidiSettings::kApplication;
        const std::string s = MidiSettings::kSection;
        return {{a, s, "SystemChannel", channel}, {a, s, "ZelIn", in}, {a, s, "ZelOut", out}};
    }

    VirtualClock clock;
    QtEventPump pump;
    RecordingMessageSink messages;
    MemorySettingsStore store;
    ScriptedModalRunner modal;
    StudioDriver driver;
    ModuleMIDI midi;
    QStringList log;
    bool soundsSynchronised = true;
    QTemporaryDir backups;
    ScriptedFileDialogs dialogs;
    LibraryDocuments library;
    SoundEditorFactory editors;
    std::unique_ptr<MDIFormMain> window;
};
