#include "midi/MidiTap.h"

#include <algorithm>

size_t ShortMessageLength(uint8_t status) {
    switch (status & 0xF0) {
        case 0xC0:
        case 0xD0:
            return 2;
        case 0xF0:
            if (status == 0xF1 || status == 0xF3)
                return 2;
            return status == 0xF2 ? 3 : 1;
        default:
            return 3;
    }
}

MidiTap::MidiTap() : ring_(std::make_unique<std::array<Slot, kSlots>>()) {}

void MidiTap::PutIncoming(double time, const uint8_t* bytes, size_t length) {
    if (!watching_)
        return;
    const size_t head = head_.load(std::memory_order_relaxed);
    const size_t next = (head + 1) % kSlots;
    if (next == tail_.load(std::memory_order_acquire)) {
        ++dropped_;
        return;
    }
    Slot& slot = (*ring_)[head];
    slot.time = time;
    slot.length = length;
    std::copy_n(bytes, std::min(length, kSlotBytes), slot.bytes.begin());
    head_.store(next, std::memory_order_release);
}

void MidiTap::PutOutgoing(double time, const uint8_t* bytes, size_t length) {
    if (!watching_)
        return;
    std::vector<uint8_t> kept(bytes, bytes + std::min(length, kSlotBytes));
    const std::lock_guard lock(outgoingLock_);
    outgoing_.push_back({Direction::Out, time, length, std::move(kept)});
}

std::vector<MidiTap::Seen> MidiTap::Take() {
    std::vector<Seen> seen;
    {
        const std::lock_guard lock(outgoingLock_);
        seen.swap(outgoing_);
    }
    size_t tail = tail_.load(std::memory_order_relaxed);
    const size_t head = head_.load(std::memory_order_acquire);
    for (; tail != head; tail = (tail + 1) % kSlots) {
        const Slot& slot = (*ring_)[tail];
        seen.push_back({Direction::In, slot.time, slot.length,
                        std::vector<uint8_t>(slot.bytes.begin(),
                                             slot.bytes.begin() + static_cast<ptrdiff_t>(std::min(
                                                                      slot.length, kSlotBytes)))});
    }
    // Read after the ring: what was dropped came after everything in it.
    if (const uint64_t dropped = dropped_.exchange(0); dropped > 0) {
        const double last = seen.empty() ? 0 : seen.back().time;
        seen.push_back({Direction::In, last, 0, {}, dropped});
    }
    tail_.store(tail, std::memory_order_release);
    std::stable_sort(seen.begin(), seen.end(),
                     [](const Seen& a, const Seen& b) { return a.time < b.time; });
    return seen;
}
