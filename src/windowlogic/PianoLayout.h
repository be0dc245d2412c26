#pragma once

#include <cstddef>
#include <vector>

// Where the keys of a piano keyboard lie: white keys side by side, each black key narrower and
// shorter, centred on the line between its two white neighbours. Positions are in white-key
// widths from the left edge and heights in parts of the white keys' height, so each keyboard
// on screen scales them to its own size.
class PianoLayout {
  public:
    static constexpr double kBlackWidth = 0.6;
    static constexpr double kBlackHeight = 0.62;

    struct Key {
        int note;
        bool black;
        double left;
        double width;
        double height;
    };

    // The keys from note first to note last (MIDI note numbers, or semitones above a C),
    // inclusive, in note order.
    PianoLayout(int first, int last);

    const std::vector<Key>& Keys() const { return keys_; }
    const Key& KeyOf(int note) const { return keys_.at(static_cast<std::size_t>(note - first_)); }
    // From the left edge of the first key to the right edge of the last.
    double Width() const { return width_; }

    static bool IsBlack(int note);

  private:
    int first_;
    std::vector<Key> keys_;
    double width_ = 0;
};
