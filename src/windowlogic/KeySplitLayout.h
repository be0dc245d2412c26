#pragma once

#include <array>
#include <vector>

// Where the eight banks' key ranges lie over one keyboard, so overlapping splits are seen at a
// glance. The keyboard runs over the keys a split can take (24..102), one column per key; a
// bank's bar covers the columns of its low..high range, cut to the keyboard.
class KeySplitLayout {
  public:
    static constexpr int kBanks = 8;
    static constexpr int kFirstKey = 24;
    static constexpr int kLastKey = 102;
    static constexpr int kColumns = kLastKey - kFirstKey + 1;

    struct Range {
        int low;
        int high;
    };
    struct Bar {
        // Columns first..last inclusive; meaningful only when the bank plays a key.
        int first = 0;
        int last = -1;
        // No key of the keyboard lies in low..high (an inverted or outside range).
        bool empty = true;
        // Another bank plays at least one of the same keys.
        bool overlaps = false;
    };

    explicit KeySplitLayout(const std::array<Range, kBanks>& ranges);

    const Bar& BarOf(int bank) const { return bars_[bank]; }
    // How many banks play the key in a column.
    int Layers(int column) const { return layers_[column]; }

    static int KeyOf(int column) { return kFirstKey + column; }
    static bool IsBlackKey(int key);

  private:
    std::array<Bar, kBanks> bars_;
    std::array<int, kColumns> layers_{};
};
