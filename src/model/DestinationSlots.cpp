#include "model/DestinationSlots.h"

void DestinationSlots::Decode(const RawData& raw, int first) {
    for (int k = 0; k < kSlots; ++k) {
        nodes_[k] = static_cast<int16_t>(raw[first + 2 * k] & 0xFF);
        depths_[k] = static_cast<int16_t>(raw[first + 2 * k + 1] & 0xFF);
    }
}

void DestinationSlots::Encode(RawData& raw, int first) const {
    for (int k = 0; k < kSlots; ++k) {
        raw[first + 2 * k] = static_cast<int16_t>(nodes_[k] & 0xFF);
        raw[first + 2 * k + 1] = static_cast<int16_t>(depths_[k] & 0xFF);
    }
}

int16_t DestinationSlots::Node(int slot) const {
    return ValidSlot(slot) ? nodes_[slot] : int16_t{0};
}

void DestinationSlots::SetNode(int slot, int16_t value, const Sender& send) {
    if (!ValidSlot(slot))
        return;
    nodes_[slot] = value;
    send(2 * slot, value);
}

int16_t DestinationSlots::Depth(int slot) const {
    return ValidSlot(slot) ? depths_[slot] : int16_t{0};
}

void DestinationSlots::SetDepth(int slot, int16_t value, const Sender& send) {
    if (!ValidSlot(slot))
        return;
    depths_[slot] = value;
    send(2 * slot + 1, value);
}
