#pragma once

// Where each field of a sound lies in its 138-byte raw form: the layout in which the synth
// exchanges a sound, the sound files store it and the all-sounds array packs twenty of them.
namespace SoundLayout {
inline constexpr int kSize = 138;
inline constexpr int kUsedSize = 136;  // bytes 136 and 137 are not used and stay 0

inline constexpr int kName = 0;
inline constexpr int kNameBytes = 10;

// Envelope e: six rate/level pairs, then two destination/depth pairs.
inline constexpr int kEnvelopeCount = 4;
inline constexpr int kEnvelopePoints = 6;
inline constexpr int kEnvelopeBase = 10;
inline constexpr int kEnvelopeStride = 16;
inline constexpr int kEnvelopeSlots = 12;  // offset of the first destination in the record
inline constexpr int kMarkerBit = 0x80;    // sustain marker on a rate, end marker on a level
inline constexpr int kPointValueMask = 0x7F;

// LFO l: wave, delay, rate, then two destination/depth pairs.
inline constexpr int kLfoCount = 2;
inline constexpr int kLfoBase = 74;
inline constexpr int kLfoStride = 7;
inline constexpr int kLfoWave = 0;
inline constexpr int kLfoDelay = 1;
inline constexpr int kLfoRate = 2;
inline constexpr int kLfoSlots = 3;

// Modulation matrix: seven rows of four, one row per parameter, entry m is byte m of each row.
inline constexpr int kModulationCount = 4;
inline constexpr int kModulationDestination = 88;
inline constexpr int kModulationKeyBreak = 92;
inline constexpr int kModulationKeyDepth = 96;
inline constexpr int kModulationVelocity = 100;
inline constexpr int kModulationAfterTouch = 104;
inline constexpr int kModulationController = 108;
inline constexpr int kModulationModWheel = 112;
inline constexpr int kKeyBreakBias = 24;  // magnitude of the key break byte = key break + 24

inline constexpr int kAlgorithm = 116;
inline constexpr int kTranspose = 117;

// Node position j: bytes kNodeBase + 2j and kNodeBase + 2j + 1.
inline constexpr int kNodeBase = 118;
inline constexpr int kNodePositions = 9;
inline constexpr int kDetoneBias = 64;
inline constexpr int kFixedBit = 0x80;

// Destination slots of an envelope or LFO.
inline constexpr int kSlots = 2;

// Twenty sounds back to back.
inline constexpr int kUserSounds = 20;
inline constexpr int kAllSoundsSize = kUserSounds * kSize;

constexpr int EnvelopeBase(int envelope) {
    return kEnvelopeBase + kEnvelopeStride * envelope;
}
constexpr int LfoBase(int lfo) {
    return kLfoBase + kLfoStride * lfo;
}
constexpr int NodeFirstByte(int position) {
    return kNodeBase + 2 * position;
}
}  // namespace SoundLayout
