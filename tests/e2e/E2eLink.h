#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"

// The editor's link to a zel1-emulator through RtMidi, on real time and a real event loop.
class E2eLink {
  public:
    // The emulator's name as run-e2e.sh exported it, or empty when run without the script.
    static std::string EmulatorName(const char* variable) {
        const char* value = std::getenv(variable);
        return value == nullptr ? std::string() : std::string(value);
    }

    explicit E2eLink(const std::vector<std::string>& apis)
        : driver(apis), midi(driver, messages, pump, clock) {}

    // Finds the emulator's ports by name ("NAME In:..." is its MIDI In) and opens them.
    void Open(const std::string& name) {
        int in = -1;
        int out = -1;
        for (uint32_t id = 0; id < driver.InGetNumDevs(); ++id) {
            MidiInCaps caps;
            driver.InGetDevCaps(id, caps);
            if (caps.productName.rfind(name + " Out:", 0) == 0)
                in = static_cast<int>(id);
        }
        for (uint32_t id = 0; id < driver.OutGetNumDevs(); ++id) {
            MidiOutCaps caps;
            driver.OutGetDevCaps(id, caps);
            if (caps.productName.rfind(name + " In:", 0) == 0) {
                out = static_cast<int>(id);
                outTechnology = caps.technology;
            }
        }
        ASSERT_GE(in, 0) << "no input device of " << name;
        ASSERT_GE(out, 0) << "no output device of " << name;
        ASSERT_TRUE(midi.OpenInPort(in));
        ASSERT_TRUE(midi.OpenOutPort(out));
    }

    SteadyClock clock;
    FunctionEventPump pump{[] { QCoreApplication::processEvents(); }};
    RecordingMessageSink messages;
    RtMidiDriver driver;
    ModuleMIDI midi;
    uint16_t outTechnology = 0;
};
