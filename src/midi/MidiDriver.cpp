#include "midi/MidiDriver.h"

std::string StandardMidiErrorText(MidiResult code) {
    switch (code) {
        case MidiCode::NoError:
            return "The specified command was carried out.";
        case MidiCode::Error:
            return "Undefined external error.";
        case MidiCode::BadDeviceId:
            return "A device ID has been used that is out of range for your system.";
        case MidiCode::Allocated:
            return "The specified device is already in use. Wait until it is free, and then try "
                   "again.";
        case MidiCode::InvalidHandle:
            return "The specified device handle is invalid.";
        case MidiCode::NoDriver:
            return "There is no driver installed on your system.";
        case MidiCode::NoMemory:
            return "There is not enough memory available for this task. Quit one or more "
                   "applications to increase available memory, and then try again.";
        case MidiCode::InvalidParameter:
            return "An invalid parameter was passed to a system function.";
        case MidiCode::Unprepared:
            return "The header was not prepared. Use the Prepare function to prepare the "
                   "header, and then try again.";
        case MidiCode::StillPlaying:
            return "This function cannot be performed because the buffer is still in use.";
        case MidiCode::NotReady:
            return "The MIDI port is busy. Wait until it is free, and then try again.";
        default:
            return "";
    }
}
