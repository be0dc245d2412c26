#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a parameter is to a user: a number within a range, a choice from a list, an on/off flag,
// or one character of a name.
enum class ParameterKind { Number, Choice, Flag, NameCharacter };

// The families that parameters belong to, for callers that keep or vary whole families at once.
enum class ParameterGroup {
    Name,
    Algorithm,
    Transpose,
    NodeTuning,  // detune, detone and the fixed flag of tuned nodes
    NodeWaves,   // the wave of a wave selector
    NodeBytes,   // node bytes of a sound whose algorithm is unknown
    EnvelopeRates,
    EnvelopeLevels,
    EnvelopeMarkers,  // the sustain and end markers on rates and levels
    Destinations,     // destinations and depths of envelopes and LFOs
    Lfos,             // wave, delay and speed of an LFO
    Modulation,       // the modulation matrix
    Bank,             // a bank of a group
};

// How a parameter's value sits in its bits of the byte.
enum class ParameterCoding {
    Plain,         // value = the bits
    Signed,        // two's complement in the bits
    Biased,        // value = the bits - bias
    KeyBreak,      // the whole byte signed: magnitude = value + 24, its sign is the direction
    KeyDirection,  // the sign of that byte: 1 = right to left
};

// One parameter of a raw sound or raw group: where it lies, what the windows call it, the
// values the editors offer, and how its value is packed into its byte. Several parameters may
// share a byte; each owns the bits of its mask and Write leaves the others alone. The key break
// and its direction share the whole byte as its magnitude and its sign, and Write keeps the other
// in the same way.
struct ParameterEntry {
    int offset = 0;
    std::string field;   // "Detune", "Rate 3"; empty when the record itself is the parameter
    std::string record;  // "Oscilator 2", "Envelope 1", "Algorithm", "Name"
    ParameterKind kind = ParameterKind::Number;
    ParameterGroup group = ParameterGroup::Name;
    int min = 0;  // the values the editors offer
    int max = 255;
    int mask = 0xFF;  // the bits of the byte this parameter owns
    int shift = 0;    // where those bits start
    ParameterCoding coding = ParameterCoding::Plain;
    int bias = 0;
    std::vector<std::string> choices;  // for a choice: the text of min, min + 1, ... max

    // "Detune of Oscilator 2", or the record alone: "Algorithm".
    std::string Name() const;
    // The value held in a byte (0..255).
    int Read(int byte) const;
    // The byte with this parameter set to value and every other bit kept.
    int Write(int byte, int value) const;
    // The text the windows show for a value: the choice's entry, else the number.
    std::string ValueText(int value) const;
};
