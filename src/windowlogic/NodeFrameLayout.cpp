#include "windowlogic/NodeFrameLayout.h"

#include <array>

#include "tables/NodeTable.h"

namespace NodeFrameLayout {
namespace {
constexpr int kFirstTopTwips = 480;

constexpr std::array<std::string_view, kNodeNumberCount> kCaptions = {
    "Oscilator 1",     "Oscilator 2",  "Oscilator 3", "Oscilator 4",  "Amplifier 1",
    "Amplifier 2",     "Amplifier 3",  "Amplifier 4", "Waveselect 1", "Waveselect 2",
    "Waveselect 3",    "Waveselect 4", "Out 1",       "Out 2",        "Waveshaping In",
    "Waveshaping Out", "Width 1",      "Width 2",     "Ring 1",       "Ring 2",
    "Feedback 1",      "Feedback 2",   "Decay",       "Cutoff"};
}  // namespace

std::string_view Caption(int nodeNumber) {
    if (nodeNumber < 0 || nodeNumber >= kNodeNumberCount)
        return {};
    return kCaptions[static_cast<size_t>(nodeNumber)];
}

int TopTwips(int position) {
    return kFirstTopTwips + kRowTwips * position;
}
}  // namespace NodeFrameLayout
