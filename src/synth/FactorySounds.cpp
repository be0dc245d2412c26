#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "synth/FactoryContent.h"
#include "tables/AlgorithmTable.h"
#include "tables/DestinationTable.h"
#include "tables/NodeTable.h"
#include "tables/PresetNames.h"
#include "tables/SoundLayout.h"
#include "tables/WaveTables.h"

using namespace SoundLayout;

// The synth's own sounds: each is built from its name (which suggests an algorithm and a
// character) and a generator seeded with its number, so every sound is distinct, valid and the
// same on every run. Valid means: one sustain marker at or before the one end marker, nothing
// after the end point, parameterless nodes and unused bytes 0, destinations that exist.
namespace {
constexpr std::array<std::string_view, kUserSounds> kUserSoundNames = {
    "Warm Pad", "Glass Keys", "Soft Brass", "Fretless",  "Air Choir", "Bright EP",  "Saw Lead",
    "Sub Bass", "Tubular",    "Reed Organ", "Pizz Str",  "Sync Lead", "Hollow Pad", "Log Drum",
    "Wah Clav", "Vox Pad",    "Steel Harp", "Mono Bass", "Sparkle",   "Init Sound"};

class Generator {
  public:
    explicit Generator(int seed) : state_(0x9E3779B9u * static_cast<uint32_t>(seed + 1)) {}
    // A number in lo..hi.
    int Next(int lo, int hi) {
        state_ = state_ * 1664525u + 1013904223u;
        return lo + static_cast<int>((state_ >> 8) % static_cast<uint32_t>(hi - lo + 1));
    }
    bool Chance(int percent) { return Next(0, 99) < percent; }

  private:
    uint32_t state_;
};

bool Has(std::string_view name, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (name.find(word) != std::string_view::npos)
            return true;
    }
    return false;
}

// The algorithm a sound of this name would be built with.
int ChooseAlgorithm(std::string_view name, Generator& g) {
    if (Has(name, {"Drum", "Junk", "Log"}))
        return 26;
    if (Has(name, {"Bell", "Chime", "Glass", "Tine", "Twinkle", "Mallet", "Tubular", "Sparkle",
                   "Plink", "Beep", "Scintilla", "Pixie"})) {
        return 19;
    }
    if (Has(name, {"Organ", "Chapel"}))
        return 21;
    if (Has(name, {"Flut", "Fluit", "Pipe", "Whistle"}))
        return 25;
    if (Has(name, {"Choir", "Vox", "Breth", "Brth"}))
        return 18;
    if (Has(name, {"Pad", "Str", "Swell", "Sweep"}))
        return 12 + g.Next(0, 2);
    if (Has(name, {"Brass", "Horn", "Trumpet"}))
        return 16 + g.Next(0, 1);
    if (Has(name, {"Bass", "Fretless"}))
        return g.Next(0, 3);
    if (Has(name, {"Guitar", "Harp", "Pluck", "Clav", "Pizz", "Key", "EP", "Pno"})) {
        return 4 + g.Next(0, 3);
    }
    if (Has(name, {"Lead", "Sync", "Edge", "Wire"}))
        return 20 + 4 * g.Next(0, 1);
    if (Has(name, {"Dist", "Shaper", "Megamod"}))
        return 15;
    if (Has(name, {"Init"}))
        return 0;
    return g.Next(0, kAlgorithmCount - 1);
}

// Destination codes of the nodes of one type in the algorithm.
std::vector<int> NodeDestinations(int algorithm, int16_t type) {
    std::vector<int> codes;
    const auto nodes = AlgorithmNodes(algorithm);
    for (size_t j = 0; j < nodes.size(); ++j) {
        if (NodeType(nodes[j]) == type)
            codes.push_back(kFirstNodeDestination + static_cast<int>(j));
    }
    return codes;
}

int Signed(int value) {
    return value < 0 ? value + 256 : value;
}

void PutName(RawData& raw, std::string_view name) {
    for (int i = 0; i < kNameBytes; ++i) {
        raw[kName + i] = static_cast<int16_t>(i < static_cast<int>(name.size()) ? name[i] : ' ');
    }
}

void PutEnvelope(RawData& raw, int e, int destination, Generator& g, bool percussive) {
    const int base = EnvelopeBase(e);
    const int endPoint = percussive ? g.Next(2, 3) : g.Next(3, 6);      // 1..6
    const int sustainPoint = percussive ? 0 : g.Next(1, endPoint - 1);  // 0 = none
    int level = 127;
    for (int i = 0; i < endPoint; ++i) {
        const bool last = i + 1 == endPoint;
        const int rate =
            i == 0 ? (percussive ? g.Next(110, 127) : g.Next(30, 120)) : g.Next(15, 90);
        if (last) {
            level = 0;
        } else if (i > 0) {
            level = g.Next(level / 3, level);
        }
        raw[base + 2 * i] = static_cast<int16_t>(rate + (i + 1 == sustainPoint ? kMarkerBit : 0));
        raw[base + 2 * i + 1] = static_cast<int16_t>(level + (last ? kMarkerBit : 0));
    }
    raw[base + kEnvelopeSlots] = static_cast<int16_t>(destination);
    raw[base + kEnvelopeSlots + 1] = static_cast<int16_t>(destination == 0 ? 0 : g.Next(70, 127));
    if (g.Chance(25)) {
        raw[base + kEnvelopeSlots + 2] = 15;  // "EG Rate"
        raw[base + kEnvelopeSlots + 3] = static_cast<int16_t>(g.Next(10, 60));
    }
}

void PutLfo(RawData& raw, int l, const std::vector<int>& oscillators, Generator& g) {
    const int base = LfoBase(l);
    raw[base + kLfoWave] = static_cast<int16_t>(g.Next(0, kLfoWaveCount - 1));
    raw[base + kLfoDelay] = static_cast<int16_t>(g.Next(0, 40));
    raw[base + kLfoRate] = static_cast<int16_t>(g.Next(20, 63));
    if (g.Chance(60) && !oscillators.empty()) {
        raw[base + kLfoSlots] =
            static_cast<int16_t>(oscillators[g.Next(0, static_cast<int>(oscillators.size()) - 1)]);
        raw[base + kLfoSlots + 1] = static_cast<int16_t>(g.Next(3, 30));
    }
}

void PutModulation(RawData& raw, int m, int destination, Generator& g) {
    raw[kModulationDestination + m] = static_cast<int16_t>(destination);
    const int keyBreak = g.Next(12, 60);
    const bool rightToLeft = g.Chance(30);
    raw[kModulationKeyBreak + m] =
        static_cast<int16_t>(Signed((rightToLeft ? -1 : 1) * (keyBreak + kKeyBreakBias)));
    if (destination == 0)
        return;
    raw[kModulationKeyDepth + m] = static_cast<int16_t>(Signed(g.Next(-20, 20)));
    raw[kModulationVelocity + m] = static_cast<int16_t>(Signed(g.Next(0, 90)));
    raw[kModulationAfterTouch + m] = static_cast<int16_t>(Signed(g.Next(-10, 40)));
    raw[kModulationController + m] = static_cast<int16_t>(Signed(g.Next(0, 30)));
    raw[kModulationModWheel + m] = static_cast<int16_t>(Signed(g.Next(0, 60)));
}

void PutNodes(RawData& raw, int algorithm, Generator& g) {
    const auto nodes = AlgorithmNodes(algorithm);
    for (size_t j = 0; j < nodes.size(); ++j) {
        const int first = NodeFirstByte(static_cast<int>(j));
        switch (NodeType(nodes[j])) {
            case kNodeTuned: {
                const int detone = j == 0 ? 0 : g.Next(-24, 24);
                const bool fixed = g.Chance(10);
                raw[first] = static_cast<int16_t>(Signed(g.Next(-8, 8)));
                raw[first + 1] =
                    static_cast<int16_t>(detone + kDetoneBias + (fixed ? kFixedBit : 0));
                break;
            }
            case kNodeWave:
                raw[first] = static_cast<int16_t>(g.Next(0, kNodeWaveCount - 1));
                break;
            default:
                break;
        }
    }
}
}  // namespace

RawData FactoryContent::Sound(int number) {
    RawData raw(kSoundBytes, 0);
    const std::string_view name =
        number < kUserSounds ? kUserSoundNames[number] : PresetSoundName(number);
    Generator g(number);
    const int algorithm = ChooseAlgorithm(name, g);
    const bool percussive = Has(name, {"Drum", "Pluck", "Pizz", "Harp", "Mallet", "Log", "Clav",
                                       "Bell", "Chime", "Tubular", "Plink", "Keys"});

    PutName(raw, name);
    const std::vector<int> amplifiers = NodeDestinations(algorithm, kNodePlain);
    const std::vector<int> oscillators = NodeDestinations(algorithm, kNodeTuned);
    for (int e = 0; e < kEnvelopeCount; ++e) {
        const int destination = e < static_cast<int>(amplifiers.size()) ? amplifiers[e] : 0;
        PutEnvelope(raw, e, destination, g, percussive);
    }
    for (int l = 0; l < kLfoCount; ++l)
        PutLfo(raw, l, oscillators, g);
    const int firstAmplifier = amplifiers.empty() ? 0 : amplifiers.front();
    const int firstOscillator = oscillators.empty() ? 0 : oscillators.front();
    const int modulationTargets[kModulationCount] = {firstAmplifier, firstOscillator, 12, 0};
    for (int m = 0; m < kModulationCount; ++m)
        PutModulation(raw, m, modulationTargets[m], g);

    raw[kAlgorithm] = static_cast<int16_t>(algorithm);
    int transpose = 0;
    if (Has(name, {"Bass"}))
        transpose = -12;
    if (Has(name, {"Bell", "Chime", "Twinkle", "Sparkle", "Pixie"}))
        transpose = 12;
    raw[kTranspose] = static_cast<int16_t>(Signed(transpose));
    PutNodes(raw, algorithm, g);
    return raw;
}
