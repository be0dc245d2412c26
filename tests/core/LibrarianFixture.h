#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>
#include <sstream>
#include <string>

#include "FileTestSupport.h"
#include "SynthFixture.h"
#include "library/ConvertFromSND.h"
#include "cli/LibrarianCommands.h"
#include "platform/EventPump.h"
#include "support/MemorySettingsStore.h"
#include "support/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

// An SND record of the given name (blank-padded to ten) and algorithm, all else zero.
inline std::vector<uint8_t> SndRecord(const std::string& name, uint8_t algorithm) {
    std::vector<uint8_t> snd(kSndRecordBytes, 0);
    snd[0] = algorithm;
    const std::string padded = (name + "          ").substr(0, 10);
    for (size_t i = 0; i < padded.size(); ++i)
        snd[136 + i] = static_cast<uint8_t>(padded[i]);
    return snd;
}

// The command-line librarian on the in-process virtual ZEL-1 with a virtual clock, its output
// and error streams captured, and a temporary folder for its files.
class LibrarianFixture : public ::testing::Test {
  protected:
    LibrarianFixture() : driver(clock) {}

    VirtualZel1& Synth() { return driver.Synth(); }

    // Runs one command line (without the program's name) with fresh streams.
    int Run(std::initializer_list<std::string> arguments) {
        QStringList list{"zel1-cli"};
        for (const std::string& argument : arguments)
            list << QString::fromStdString(argument);
        out.str("");
        err.str("");
        LibrarianCommands commands([this]() -> MidiDriver& { return driver; }, driver, settings,
                                   pump, clock, out, err);
        return commands.Run(list);
    }

    std::vector<std::vector<uint8_t>> TakeSent() { return TakeReceived(Synth()); }

    VirtualClock clock;
    FunctionEventPump pump;
    EmulatorMidiDriver driver;
    MemorySettingsStore settings;
    std::ostringstream out;
    std::ostringstream err;
    TempFolder folder;
};
