#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "midi/RawData.h"

// The two destination slots that envelopes and LFOs share: each slot names what it drives (a
// destination code) and by how much (a depth), stored as two consecutive bytes. The slots send
// through the owner's sender, which knows where in the sound they lie.
class DestinationSlots {
  public:
    static constexpr int kSlots = 2;
    // Sends one byte: offset counted from the first slot byte, and its value.
    using Sender = std::function<void(int offset, int value)>;

    static bool ValidSlot(int slot) { return slot >= 0 && slot < kSlots; }

    // Reads or writes the four bytes starting at first.
    void Decode(const RawData& raw, int first);
    void Encode(RawData& raw, int first) const;

    // A slot outside 0..1 reads 0; a setter given one stores and sends nothing.
    int16_t Node(int slot) const;
    void SetNode(int slot, int16_t value, const Sender& send);
    int16_t Depth(int slot) const;
    void SetDepth(int slot, int16_t value, const Sender& send);

  private:
    std::array<int16_t, kSlots> nodes_{};
    std::array<int16_t, kSlots> depths_{};
};
