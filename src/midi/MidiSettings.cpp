#include "midi/MidiSettings.h"

#include <QString>

#include "midi/MidiDriver.h"
#include "midi/ModuleGlobals.h"
#include "platform/SettingsStore.h"

std::vector<MidiSettings::Device> MidiSettings::InputDevices(MidiDriver& driver) {
    std::vector<Device> devices;
    const uint32_t count = driver.InGetNumDevs();
    for (uint32_t id = 0; id < count; ++id) {
        MidiInCaps caps;
        // A device that vanished between counting and asking has no name to show.
        if (driver.InGetDevCaps(id, caps) != MidiCode::NoError)
            continue;
        devices.push_back({StripAtNul(caps.productName), static_cast<int>(id)});
    }
    return devices;
}

std::vector<MidiSettings::Device> MidiSettings::OutputDevices(MidiDriver& driver) {
    std::vector<Device> devices;
    const uint32_t count = driver.OutGetNumDevs();
    for (uint32_t id = 0; id < count; ++id) {
        MidiOutCaps caps;
        if (driver.OutGetDevCaps(id, caps) != MidiCode::NoError)
            continue;
        if (caps.technology != MidiCode::TechMidiPort)
            continue;
        devices.push_back({StripAtNul(caps.productName), static_cast<int>(id)});
    }
    return devices;
}

MidiSettings::Choices MidiSettings::Read(SettingsStore& store) {
    Choices choices;
    choices.in = store.Read(kApplication, kSection, kKeyIn, "");
    choices.out = store.Read(kApplication, kSection, kKeyOut, "");
    choices.systemChannel =
        ParseSystemChannel(store.Read(kApplication, kSection, kKeySystemChannel, "0"));
    return choices;
}

void MidiSettings::Write(SettingsStore& store, const Choices& choices) {
    store.Write(kApplication, kSection, kKeySystemChannel, std::to_string(choices.systemChannel));
    store.Write(kApplication, kSection, kKeyIn, choices.in);
    store.Write(kApplication, kSection, kKeyOut, choices.out);
}

int MidiSettings::ParseSystemChannel(const std::string& text) {
    bool ok = false;
    const int value = QString::fromStdString(text).trimmed().toInt(&ok, 10);
    return ok && value >= 0 && value <= 15 ? value : 0;
}

std::string MidiSettings::ChannelLabel(int index) {
    const int channel = index + 1;
    return channel < 10 ? " " + std::to_string(channel) : std::to_string(channel);
}
