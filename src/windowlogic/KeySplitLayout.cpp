#include "windowlogic/KeySplitLayout.h"

#include <algorithm>

#include "windowlogic/PianoLayout.h"

KeySplitLayout::KeySplitLayout(const std::array<Range, kBanks>& ranges) {
    for (int bank = 0; bank < kBanks; ++bank) {
        const int first = std::max(ranges[bank].low, kFirstKey) - kFirstKey;
        const int last = std::min(ranges[bank].high, kLastKey) - kFirstKey;
        Bar& bar = bars_[bank];
        if (first > last)
            continue;
        bar = {first, last, false, false};
        for (int column = first; column <= last; ++column)
            ++layers_[column];
    }
    for (Bar& bar : bars_) {
        if (bar.empty)
            continue;
        bar.overlaps = std::any_of(layers_.begin() + bar.first, layers_.begin() + bar.last + 1,
                                   [](int layers) { return layers > 1; });
    }
}

bool KeySplitLayout::IsBlackKey(int key) {
    return PianoLayout::IsBlack(key);
}
