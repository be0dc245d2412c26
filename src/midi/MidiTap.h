#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// What passed the synth's ports, for the MIDI monitor. Incoming messages are put in by the
// driver's thread into a fixed ring (no allocation, no lock there); outgoing ones by whichever
// thread sends (the thru sends from the driver's), under a lock. The user-interface thread takes
// both, oldest first. Nothing is kept while no one watches. A full ring drops the newest message
// and counts it; the next take reports the count as a message of its own.
// The number of bytes of a short message with this status byte.
size_t ShortMessageLength(uint8_t status);

class MidiTap {
  public:
    static constexpr size_t kSlots = 512;
    // The all-sounds dump, with room to spare; longer messages keep their first bytes.
    static constexpr size_t kSlotBytes = 5600;

    enum class Direction { In, Out };
    struct Seen {
        Direction direction;
        double time;
        // The message's whole length; bytes holds at most kSlotBytes of it.
        size_t length;
        std::vector<uint8_t> bytes;
        // Not a message: this many incoming ones were dropped here (bytes is empty).
        uint64_t dropped = 0;
    };

    MidiTap();

    void SetWatching(bool watching) { watching_ = watching; }
    bool Watching() const { return watching_; }

    // Driver thread.
    void PutIncoming(double time, const uint8_t* bytes, size_t length);
    // Any thread.
    void PutOutgoing(double time, const uint8_t* bytes, size_t length);
    // User-interface thread.
    std::vector<Seen> Take();
    // Dropped since the last take.
    uint64_t Dropped() const { return dropped_; }

  private:
    struct Slot {
        double time = 0;
        size_t length = 0;
        std::array<uint8_t, kSlotBytes> bytes{};
    };

    std::atomic<bool> watching_{false};
    std::unique_ptr<std::array<Slot, kSlots>> ring_;
    std::atomic<size_t> head_{0};
    std::atomic<size_t> tail_{0};
    std::atomic<uint64_t> dropped_{0};
    std::mutex outgoingLock_;
    std::vector<Seen> outgoing_;
};
