#include "windowlogic/MidiMessageText.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"
#include "tables/ParameterTable.h"

namespace {
constexpr std::array<uint8_t, 5> kHeader{0xF0, 0x00, 0x20, 0x08, 0x01};

std::string Number(long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return value < 0 ? "-" + digits : digits;
}

std::string KindText(int kind, int number) {
    switch (kind) {
        case 0:
            return number >= 0 ? "sound " + std::to_string(number) : "one sound";
        case 1:
            return "all sounds";
        case 2:
            return number >= 0 ? "group " + std::to_string(number) : "one group";
        case 3:
            return "all groups";
        case 5:
            return "global parameters";
        default:
            return "unknown kind " + std::to_string(kind);
    }
}

bool HasNumber(int kind) {
    return kind == 0 || kind == 2;
}

// What a value does to a byte, in the words of the parameter table: "Algorithm = 12",
// "Rate 1 of Envelope 1 = 63, Sustain of Envelope 1 = 1". The monitor does not know the sound's
// algorithm, so node bytes are named by their position.
std::string Meaning(const std::vector<ParameterEntry>& table, int offset, int value) {
    std::string text;
    for (const ParameterEntry& p : table) {
        if (p.offset != offset)
            continue;
        text += (text.empty() ? "" : ", ") + p.Name() + " = " + std::to_string(p.Read(value));
    }
    return text.empty() ? "unused byte " + std::to_string(offset) + " = " + std::to_string(value)
                        : text;
}

std::string ParameterText(const std::vector<uint8_t>& m) {
    if (m.size() != 11)
        return "Parameter change, malformed";
    const int address = m[6];
    const int index = m[7];
    const int value = m[8] * 16 + m[9];
    const std::string equals = " = " + std::to_string(value);
    const auto& sound = ParameterTable::Sound(-1);
    if (address < 20)
        return "Parameter change: sound " + std::to_string(address) + ", " +
               Meaning(sound, index, value);
    if (address < 40)
        return "Parameter change: sound " + std::to_string(address - 20) + ", " +
               Meaning(sound, index + 10, value);
    if (address < 48 && index < 9)
        return "Parameter change: " +
               Meaning(ParameterTable::Group(), index * 8 + address - 40, value);
    if (address == 48)
        return "Parameter change: group name, character " + std::to_string(index) + equals;
    if (address == 50)
        return "Parameter change: select group" + equals;
    return "Parameter change: address " + std::to_string(address) + ", index " +
           std::to_string(index) + equals;
}

std::string DumpText(const std::vector<uint8_t>& m) {
    if (m.size() < 10)
        return "Dump, cut short";
    const int kind = m[6];
    const size_t count = static_cast<size_t>(m[7]) * 128 + m[8];
    const size_t start = HasNumber(kind) ? 10 : 9;
    const int number = HasNumber(kind) ? m[9] : -1;
    const size_t bytes = count / 2;
    std::string text = "Dump, " + KindText(kind, number) + ", " + Number(static_cast<long>(bytes)) +
                       (bytes == 1 ? " byte" : " bytes");
    // What the exchange refuses is named as such; only a sound frame has a checksum to judge.
    // The checksum and the end byte follow the nibbles.
    if (start + count + 2 != m.size())
        return text + ", length does not match its count";
    if (count % 2 != 0)
        return text + ", odd nibble count";
    for (size_t i = start; i < start + count; ++i) {
        if (m[i] > 15)
            return text + ", not nibbles";
    }
    const int expected = ModuleMIDI::DumpBytes(kind);
    if (expected >= 0 && bytes != static_cast<size_t>(expected))
        return text + ", wrong size for its kind";
    uint32_t sum = 0;
    for (size_t i = start; i < start + count; i += 2)
        sum += static_cast<uint32_t>(m[i] * 16 + m[i + 1]);
    return text + ((sum & 0x7F) == m[start + count] ? ", checksum ok" : ", checksum bad");
}

std::string SynthText(const std::vector<uint8_t>& m) {
    const int type = m[5] >> 4;
    std::string text;
    switch (type) {
        case 0:
            text = ParameterText(m);
            break;
        case 1:
            text = DumpText(m);
            break;
        case 2:
            text = m.size() < 8 ? "Request, cut short"
                                : "Request, " + KindText(m[6], m.size() > 8 ? m[7] : -1);
            break;
        case 4:
            text = m.size() < 8 ? "Error reply"
                   : m[6] == 0  ? "Error reply: memory protect is on"
                                : "Error reply: checksum mismatch";
            break;
        default:
            text = "ZEL-1 message of unknown type " + std::to_string(type);
            break;
    }
    // Shown as the user counts system channels, 1 to 16, as the settings dialog lists them.
    return text + " (system channel " + std::to_string((m[5] & 0x0F) + 1) + ")";
}

std::string ShortText(const std::vector<uint8_t>& m) {
    const int status = m[0];
    const std::string channel = "channel " + std::to_string((status & 0x0F) + 1);
    auto data = [&](size_t i) { return i < m.size() ? static_cast<int>(m[i]) : 0; };
    switch (status & 0xF0) {
        case 0x80:
            return "Note off: " + channel + ", " + NoteName(data(1));
        case 0x90:
            if (data(2) == 0)
                return "Note off: " + channel + ", " + NoteName(data(1));
            return "Note on: " + channel + ", " + NoteName(data(1)) + ", velocity " +
                   std::to_string(data(2));
        case 0xA0:
            return "Key pressure: " + channel;
        case 0xB0:
            return "Control change: " + channel + ", controller " + std::to_string(data(1)) +
                   " = " + std::to_string(data(2));
        case 0xC0:
            return "Program change: " + channel + ", program " + std::to_string(data(1));
        case 0xD0:
            return "Channel pressure: " + channel;
        case 0xE0:
            return "Pitch bend: " + channel + ", " + std::to_string(data(2) * 128 + data(1) - 8192);
        default:
            break;
    }
    switch (status) {
        case 0xF8:
            return "Timing clock";
        case 0xFA:
            return "Start";
        case 0xFB:
            return "Continue";
        case 0xFC:
            return "Stop";
        case 0xFE:
            return "Active sensing";
        case 0xFF:
            return "Reset";
        default:
            return "System message";
    }
}
}  // namespace

std::string MidiMessageText(const std::vector<uint8_t>& message) {
    if (message.empty())
        return "Empty message";
    if (message[0] != 0xF0)
        return message[0] < 0x80 ? "Data without a status byte" : ShortText(message);
    if (message.back() != 0xF7)
        return "SysEx without its end, " + Number(static_cast<long>(message.size())) + " bytes";
    if (message.size() < 7 || !std::equal(kHeader.begin(), kHeader.end(), message.begin()))
        return "SysEx of another device, " + Number(static_cast<long>(message.size())) + " bytes";
    return SynthText(message);
}

std::string MidiMessageHex(const std::vector<uint8_t>& message) {
    std::string hex;
    hex.reserve(message.size() * 3);
    for (uint8_t byte : message) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!hex.empty())
            hex += ' ';
        hex += digits;
    }
    return hex;
}
