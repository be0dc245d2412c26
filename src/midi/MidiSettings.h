#pragma once

#include <string>
#include <vector>

class MidiDriver;
class SettingsStore;

// The editor's link settings: which devices it lists for the synth's ports, and the three choices
// it keeps in the per-user settings store (input and output device by name, system channel).
// The command-line librarian reads the same keys.
class MidiSettings {
  public:
    static constexpr const char* kApplication = "ZEL_EDITOR";
    static constexpr const char* kSection = "settings";
    static constexpr const char* kKeyIn = "ZelIn";
    static constexpr const char* kKeyOut = "ZelOut";
    static constexpr const char* kKeySystemChannel = "SystemChannel";

    struct Device {
        std::string name;
        int id = -1;
        bool operator==(const Device&) const = default;
    };

    struct Choices {
        std::string in;
        std::string out;
        int systemChannel = 0;
        bool operator==(const Choices&) const = default;
    };

    // Every input device, by product name (cut at the first NUL), in id order.
    static std::vector<Device> InputDevices(MidiDriver& driver);
    // Output devices that are hardware MIDI ports; synthesizers, mappers and the like are left
    // out because the ZEL-1 can only sit behind a port.
    static std::vector<Device> OutputDevices(MidiDriver& driver);

    // The stored choices; absent keys read as "" and channel 0.
    static Choices Read(SettingsStore& store);
    // Writes "SystemChannel", "ZelIn" and "ZelOut", in that order.
    static void Write(SettingsStore& store, const Choices& choices);

    // A stored channel is trusted only when it is a whole number 0..15; anything else reads as 0.
    static int ParseSystemChannel(const std::string& text);
    // The list text of a channel index: " 1" to " 9", then "10" to "16".
    static std::string ChannelLabel(int index);
};
