#pragma once

#include <iosfwd>
#include <sstream>
#include <string>

// While alive, keeps RtMidi, the ALSA library and the JACK library from printing: trying an API
// that cannot start (no ALSA sequencer, no JACK server) is normal and not worth a word. What
// RtMidi would have printed is kept, so a caller can use it as the failure's description.
class QuietMidiLibraries {
  public:
    QuietMidiLibraries();
    ~QuietMidiLibraries();
    QuietMidiLibraries(const QuietMidiLibraries&) = delete;
    QuietMidiLibraries& operator=(const QuietMidiLibraries&) = delete;

    // The first non-empty line RtMidi wrote, or empty.
    std::string FirstMessage() const;

  private:
    using JackPrinter = void (*)(const char*);
    using JackSetter = void (*)(JackPrinter);

    std::ostringstream captured_;
    std::streambuf* savedCerr_ = nullptr;
    JackSetter setJackError_ = nullptr;
    JackSetter setJackInfo_ = nullptr;
    JackPrinter savedJackError_ = nullptr;
    JackPrinter savedJackInfo_ = nullptr;
    bool alsaMuted_ = false;
};
