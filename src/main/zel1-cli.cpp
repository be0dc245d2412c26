// zel1-cli: the command-line librarian for the ZEL-1.

#include <QCoreApplication>
#include <QFileInfo>
#include <iostream>
#include <memory>

#include "catalog/SoundCatalog.h"
#include "cli/LibrarianCommands.h"
#include "cli/library/LibraryCommands.h"
#include "midi/CompositeMidiDriver.h"
#include "platform/EventPump.h"
#include "platform/QSettingsStore.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"
#include "synth/EmulatorMidiDriver.h"
#include "synth/SynthMemoryFile.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // The sound library's commands use neither MIDI nor the virtual synth.
    if (application.arguments().size() > 1 &&
        application.arguments()[1] == QLatin1String("library")) {
        LibraryCommands library(SoundCatalog::DefaultPath(), std::cout, std::cerr);
        return library.Run(application.arguments());
    }
    SteadyClock clock;
    FunctionEventPump pump;
    QSettingsStore settings;
    // The same device list as the editor's: the system's MIDI ports, then the built-in virtual
    // ZEL-1, which --virtual-synth selects directly.
    auto emulator = std::make_unique<EmulatorMidiDriver>(clock);
    EmulatorMidiDriver& virtualSynth = *emulator;
    virtualSynth.Synth().SetAnswersAnyChannel(true);
    std::unique_ptr<CompositeMidiDriver> devices;
    auto openDevices = [&]() -> MidiDriver& {
        if (!devices) {
            devices = std::make_unique<CompositeMidiDriver>();
            devices->Add(std::make_unique<RtMidiDriver>());
            devices->Add(std::move(emulator));
        }
        return *devices;
    };
    LibrarianCommands commands(openDevices, virtualSynth, settings, pump, clock, std::cout,
                               std::cerr);
    // The built-in virtual ZEL-1 shares its memory with the editor's, so what one puts there the
    // other finds.
    const QString memoryPath = SynthMemoryFile::DefaultPath();
    std::string failure;
    if (!SynthMemoryFile::Load(virtualSynth.Synth(), memoryPath, &failure) &&
        QFileInfo(memoryPath).exists()) {
        std::cerr << "zel1-cli: the virtual ZEL-1 starts afresh, as " << memoryPath.toStdString()
                  << " cannot be read: " << failure << "." << std::endl;
    }
    const std::vector<uint8_t> before = virtualSynth.Synth().SaveMemory();
    int status = commands.Run(application.arguments());
    if (virtualSynth.Synth().SaveMemory() != before &&
        !SynthMemoryFile::Save(virtualSynth.Synth(), memoryPath, &failure)) {
        std::cerr << "zel1-cli: cannot save the virtual ZEL-1's memory to "
                  << memoryPath.toStdString() << ": " << failure
                  << ". An earlier file of that name is unchanged." << std::endl;
        if (status == LibrarianCommands::kSuccess)
            status = LibrarianCommands::kFailed;
    }
    return status;
}
