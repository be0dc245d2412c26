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

bool Known(int nodeNumber) {
    return nodeNumber >= 0 && nodeNumber < kNodeNumberCount;
}
}  // namespace

std::string_view NodeName(int nodeNumber) {
    return Known(nodeNumber) ? kNodes[nodeNumber].name : std::string_view{};
}

int16_t NodeType(int nodeNumber) {
    return Known(nodeNumber) ? kNodes[nodeNumber].type : int16_t{kNodeTypeUnknown};
}
