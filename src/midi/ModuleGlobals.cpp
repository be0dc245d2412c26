#include "midi/ModuleGlobals.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/Clock.h"
#include "platform/EventPump.h"

int16_t SignedFromByte(int16_t value) {
    return value < 128 ? value : static_cast<int16_t>(value - 256);
}

int16_t ByteFromSigned(int16_t value) {
    return value >= 0 ? value : static_cast<int16_t>(value + 256);
}

bool BitIsSet(int16_t value, int bit) {
    if (bit < 0 || bit > 15)
        return false;
    return (static_cast<uint16_t>(value) & (1u << bit)) != 0;
}

int16_t SetBit(int16_t value, int bit) {
    if (bit < 0 || bit > 15)
        return value;
    return static_cast<int16_t>(static_cast<uint16_t>(value) | (1u << bit));
}

std::string NoteName(int note) {
    static const char* const kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                           "F#", "G",  "G#", "A",  "A#", "B"};
    // Integer division rounding down, so negative notes land in octave -1 and below.
    int octave = note >= 0 ? note / 12 : -((-note + 11) / 12);
    std::string name = note >= 0 ? kNames[note % 12] : "";
    return name + std::to_string(octave);
}

std::string FileExtension(const std::string& path) {
    if (path.size() < 2)
        return "";
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return "";
    return path.substr(dot + 1);
}

std::string StripAtNul(const std::string& text) {
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

bool CopyIntegers(const RawData& source, int sourceStart, RawData& destination, int destStart,
                  int count) {
    if (count <= 0)
        return true;
    if (sourceStart < 0 || destStart < 0)
        return false;
    if (static_cast<size_t>(sourceStart) + count > source.size())
        return false;
    if (static_cast<size_t>(destStart) + count > destination.size())
        return false;
    for (int i = 0; i < count; ++i)
        destination[destStart + i] = source[sourceStart + i];
    return true;
}

void Delay(float seconds, EventPump& pump, Clock& clock) {
    if (!(seconds > 0))
        return;
    const double until = clock.Now() + seconds;
    while (clock.Now() < until) {
        pump.ProcessEvents();
        double left = until - clock.Now();
        if (left > 0)
            clock.Sleep(left < 0.001 ? left : 0.001);
    }
}

double LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    size_t intDigits = i - digitsStart;
    size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        size_t f = i + 1;
        while (f < text.size() && std::isdigit(static_cast<unsigned char>(text[f])))
            ++f;
        fracDigits = f - i - 1;
        if (intDigits + fracDigits > 0)
            i = f;
    }
    if (intDigits + fracDigits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        size_t expDigits = e;
        while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e])))
            ++e;
        if (e > expDigits)
            i = e;
    }
    double value = std::strtod(text.substr(start, i - start).c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

bool HasLeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && text[i] == '.')
        ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

int16_t LeadingInteger16(const std::string& text) {
    double value = std::nearbyint(LeadingNumber(text));  // default rounding: half to even
    if (value < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (value > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(value);
}

std::optional<int32_t> TypedControlValue(const std::string& text, int32_t current, int32_t minimum,
                                         int32_t maximum) {
    int32_t value = LeadingInteger16(text);
    if (value == current)
        return std::nullopt;
    if (value < minimum) {
        value = minimum;
    } else if (value > maximum) {
        value = maximum;
    }
    return value;
}
