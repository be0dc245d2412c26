#pragma once

#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

// The editor's link opened on the in-process virtual ZEL-1, with a virtual clock: waits and
// pauses cost no real time.
class SynthFixture : public ::testing::Test {
  protected:
    SynthFixture() : driver(clock), midi(driver, messages, pump, clock) {
        midi.OpenInPort(0);
        midi.OpenOutPort(0);
    }

    VirtualZel1& Synth() { return driver.Synth(); }

    std::vector<std::vector<uint8_t>> TakeSent() { return TakeReceived(Synth()); }

    // Requests `kind` and returns the payload of the reply, or nothing unless a dump of that
    // kind came back.
    RawData Fetch(int kind, int number) {
        midi.SendRequest(kind, number);
        RawData data;
        if (!midi.WaitForMessage(false) || midi.ExtractData(data) != kind)
            return {};
        return data;
    }

    VirtualClock clock;
    FunctionEventPump pump;
    RecordingMessageSink messages;
    EmulatorMidiDriver driver;
    ModuleMIDI midi;
};
