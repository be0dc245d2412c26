#include "windowlogic/PianoLayout.h"

#include <algorithm>

bool PianoLayout::IsBlack(int note) {
    switch (((note % 12) + 12) % 12) {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}

PianoLayout::PianoLayout(int first, int last) : first_(first) {
    // A black key at either end sticks out by half its width beyond the white keys.
    const double start = IsBlack(first) ? kBlackWidth / 2 : 0;
    double white = start;
    for (int note = first; note <= last; ++note) {
        if (IsBlack(note)) {
            keys_.push_back({note, true, white - kBlackWidth / 2, kBlackWidth, kBlackHeight});
        } else {
            keys_.push_back({note, false, white, 1.0, 1.0});
            white += 1.0;
        }
    }
    for (const Key& key : keys_)
        width_ = std::max(width_, key.left + key.width);
}
