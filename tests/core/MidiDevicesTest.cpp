#include <gtest/gtest.h>

#include "midi/MidiSettings.h"
#include "midi/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

// The virtual synth's device pair behind a driver that reports its names with the trailing NUL
// padding of fixed-size fields, as some drivers do.
class PaddedNamesDriver : public EmulatorMidiDriver {
  public:
    using EmulatorMidiDriver::EmulatorMidiDriver;
    MidiResult InGetDevCaps(uint32_t id, MidiInCaps& caps) override {
        MidiResult result = EmulatorMidiDriver::InGetDevCaps(id, caps);
        caps.productName += std::string(3, '\0') + "junk";
        return result;
    }
    MidiResult OutGetDevCaps(uint32_t id, MidiOutCaps& caps) override {
        MidiResult result = EmulatorMidiDriver::OutGetDevCaps(id, caps);
        if (synthOutput)
            caps.technology = MidiCode::TechSynth;
        return result;
    }
    bool synthOutput = false;
};

TEST(MidiDevicesTest, NamesAreCutAtNulAndOnlyMidiPortsAreOutputs) {
    VirtualClock clock;
    PaddedNamesDriver driver(clock);
    EXPECT_EQ(MidiSettings::InputDevices(driver),
              (std::vector<MidiSettings::Device>{{"ZEL-1 Emulator", 0}}));
    EXPECT_EQ(MidiSettings::OutputDevices(driver),
              (std::vector<MidiSettings::Device>{{"ZEL-1 Emulator", 0}}));
    driver.synthOutput = true;
    EXPECT_TRUE(MidiSettings::OutputDevices(driver).empty());
}
