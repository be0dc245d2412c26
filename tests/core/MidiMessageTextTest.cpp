#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "windowlogic/MidiMessageText.h"

// Each kind of message as the MIDI monitor names it.
TEST(MidiMessageTextTest, EveryKindOfMessageIsNamedAsTheSynthReadsIt) {
    const RawData sound(138, 0x25);
    const RawData sounds(2760, 7);
    WireMessage bad = DumpMessage(0, 3, sound);
    bad[bad.size() - 2] ^= 1;
    WireMessage otherChannel = Parameter(20 + 3, 106, 12);
    otherChannel[5] = 0x05;

    const std::vector<std::pair<WireMessage, std::string>> cases = {
        {DumpMessage(1, -1, sounds),
         "Dump, all sounds, 2,760 bytes, checksum ok (system channel 1)"},
        {bad, "Dump, sound 3, 138 bytes, checksum bad (system channel 1)"},
        // Dumps the exchange refuses are not called sound by their checksum.
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x05, 0x00, 0x03, 0x01, 0x02, 0x03, 0x12, 0xF7},
         "Dump, global parameters, 1 byte, odd nibble count (system channel 1)"},
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x05, 0x00, 0x02, 0x01, 0x7E, 0x0E, 0xF7},
         "Dump, global parameters, 1 byte, not nibbles (system channel 1)"},
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x05, 0x00, 0x02, 0x01, 0x02, 0x12, 0xF7},
         "Dump, global parameters, 1 byte, wrong size for its kind (system channel 1)"},
        {Change(3, 116, 12), "Parameter change: sound 3, Algorithm = 12 (system channel 1)"},
        {otherChannel, "Parameter change: sound 3, Algorithm = 12 (system channel 6)"},
        {Change(2, 4, 'A'), "Parameter change: sound 2, Name = 65 (system channel 1)"},
        {Change(2, 117, 251), "Parameter change: sound 2, Transpose = -5 (system channel 1)"},
        {Change(2, 28, 0xBF),
         "Parameter change: sound 2, Rate 2 of Envelope 2 = 63, Sustain of Envelope 2 = 1 (system "
         "channel 1)"},
        {Change(2, 121, 0xC5),
         "Parameter change: sound 2, Byte 2 of Node 2 = 197 (system channel 1)"},
        {Change(2, 137, 1), "Parameter change: sound 2, unused byte 137 = 1 (system channel 1)"},
        {Parameter(47, 2, 99), "Parameter change: Volume of Bank 8 = 99 (system channel 1)"},
        {Parameter(48, 9, 32), "Parameter change: group name, character 9 = 32 (system channel 1)"},
        {Parameter(50, 0, 4), "Parameter change: select group = 4 (system channel 1)"},
        {Frame(0x20, {2, 7}), "Request, group 7 (system channel 1)"},
        {Frame(0x20, {3}), "Request, all groups (system channel 1)"},
        {Frame(0x40, {0}), "Error reply: memory protect is on (system channel 1)"},
        {Frame(0x40, {1}), "Error reply: checksum mismatch (system channel 1)"},
        {{0xF0, 0x43, 0x10, 0x01, 0xF7}, "SysEx of another device, 5 bytes"},
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x01}, "SysEx without its end, 7 bytes"},
        {{0x91, 60, 120}, "Note on: channel 2, C5, velocity 120"},
        {{0x90, 60, 0}, "Note off: channel 1, C5"},
        {{0xB0, 123, 0}, "Control change: channel 1, controller 123 = 0"},
        {{0xE0, 0, 64}, "Pitch bend: channel 1, 0"},
        {{0xF8}, "Timing clock"},
    };
    for (const auto& [message, text] : cases)
        EXPECT_EQ(MidiMessageText(message), text) << MidiMessageHex(message);
    EXPECT_EQ(MidiMessageHex({0xF0, 0x0A, 0xF7}), "F0 0A F7");
}
