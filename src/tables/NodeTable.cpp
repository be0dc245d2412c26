#include "tables/NodeTable.h"

#include <array>

namespace {
struct NodeEntry {
    std::string_view name;
    int16_t type;
};

constexpr std::array<NodeEntry, kNodeNumberCount> kNodes = {{
    {"Oscillator 1", kNodeTuned},    {"Oscillator 2", kNodeTuned}, {"Oscillator 3", kNodeTuned},
    {"Oscillator 4", kNodeTuned},    {"Amplifier 1", kNodePlain},  {"Amplifier 2", kNodePlain},
    {"Amplifier 3", kNodePlain},     {"Amplifier 4", kNodePlain},  {"WaveSelect 1", kNodeWave},
    {"WaveSelect 2", kNodeWave},     {"WaveSelect 3", kNodeWave},  {"WaveSelect 4", kNodeWave},
    {"Out 1", kNodePlain},           {"Out 2", kNodePlain},        {"WaveShaping In", kNodePlain},
    {"WaveShaping Out", kNodePlain}, {"Width 1", kNodeTuned},      {"Width 2", kNodeTuned},
    {"Ring 1", kNodeTuned},          {"Ring 2", kNodeTuned},       {"FeedBack 1", kNodePlain},
    {"FeedBack 2", kNodePlain},      {"Delay", kNodeTuned},        {"CutOff", kNodePlain},
}};

constexpr std::array<std::string_view, kNodeNumberCount> kCaptions = {
    "Oscilator 1",     "Oscilator 2",  "Oscilator 3", "Oscilator 4",  "Amplifier 1",
    "Amplifier 2",     "Amplifier 3",  "Amplifier 4", "Waveselect 1", "Waveselect 2",
    "Waveselect 3",    "Waveselect 4", "Out 1",       "Out 2",        "Waveshaping In",
    "Waveshaping Out", "Width 1",      "Width 2",     "Ring 1",       "Ring 2",
    "Feedback 1",      "Feedback 2",   "Decay",       "Cutoff"};

bool Known(int nodeNumber) {
    return nodeNumber >= 0 && nodeNumber < kNodeNumberCount;
}
}  // namespace

std::string_view NodeName(int nodeNumber) {
    return Known(nodeNumber) ? kNodes[nodeNumber].name : std::string_view{};
}

std::string_view NodeCaption(int nodeNumber) {
    return Known(nodeNumber) ? kCaptions[nodeNumber] : std::string_view{};
}

int16_t NodeType(int nodeNumber) {
    return Known(nodeNumber) ? kNodes[nodeNumber].type : int16_t{kNodeTypeUnknown};
}
