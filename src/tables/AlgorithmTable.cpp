#include "tables/AlgorithmTable.h"

#include <array>

namespace {
struct AlgorithmEntry {
    std::string_view name;
    std::span<const int16_t> nodes;
};

// The node lists that several algorithms share.
constexpr int16_t kFourOperators[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr int16_t kWaves[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
constexpr int16_t kTwinShapers[] = {0, 1, 12, 13, 4, 5, 8, 9};
constexpr int16_t kStackIntoShaper[] = {0, 1, 4, 5, 15, 14, 8};
constexpr int16_t kFormant[] = {0, 1, 18, 16, 4, 5, 8};
constexpr int16_t kAmplitude[] = {0, 18, 1, 19, 4, 5, 8, 9};
constexpr int16_t kWidth[] = {0, 16, 1, 17, 4, 5, 8, 9};
constexpr int16_t kFeedBack[] = {0, 1, 4, 5, 20, 21, 8, 9};
constexpr int16_t kFeedBackWidth[] = {0, 1, 17, 4, 5, 20, 8, 9};
constexpr int16_t kVosim[] = {0, 16, 22, 4};
constexpr int16_t kNoise[] = {0, 1, 4, 5, 6, 23};

constexpr std::array<AlgorithmEntry, kAlgorithmCount> kAlgorithms = {{
    {"Frequency Modulation 1", kFourOperators},
    {"Frequency Modulation 2", kFourOperators},
    {"Frequency Modulation 3", kFourOperators},
    {"Frequency Modulation 4", kFourOperators},
    {"Phase Modulation 1", kFourOperators},
    {"Phase Modulation 2", kFourOperators},
    {"Phase Modulation 3", kFourOperators},
    {"Phase Modulation 4", kFourOperators},
    {"Phase/Frequency Modulation 1", kFourOperators},
    {"Phase/Frequency Modulation 2", kFourOperators},
    {"Phase/Frequency Modulation 3", kFourOperators},
    {"Phase/Frequency Modulation 4", kFourOperators},
    {"Waves 1", kWaves},
    {"Waves 2", kWaves},
    {"Waves 3", kWaves},
    {"Twin WaveShapers", kTwinShapers},
    {"FM Stack Going Into Waveshaper", kStackIntoShaper},
    {"PM Stack Going Into Waveshaper", kStackIntoShaper},
    {"Formant", kFormant},
    {"Amplitude Modulation", kAmplitude},
    {"Width Modulation", kWidth},
    {"Flutes", kFourOperators},
    {"FeedBack 1", kFeedBack},
    {"FeedBack 2", kFeedBack},
    {"FeedBack + Width Modulation", kFeedBackWidth},
    {"Vosim", kVosim},
    {"Phase Modulation + Noise", kNoise},
    {"Cascaded PM With FeedBack", kFourOperators},
}};
}  // namespace

bool IsAlgorithm(int algorithm) {
    return algorithm >= 0 && algorithm < kAlgorithmCount;
}

std::string_view AlgorithmName(int algorithm) {
    return IsAlgorithm(algorithm) ? kAlgorithms[algorithm].name : std::string_view{};
}

std::span<const int16_t> AlgorithmNodes(int algorithm) {
    return IsAlgorithm(algorithm) ? kAlgorithms[algorithm].nodes : std::span<const int16_t>{};
}
