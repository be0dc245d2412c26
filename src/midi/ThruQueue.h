#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

// Packed short messages on their way from the driver's input thread (the only producer) to the
// forwarding thread (the only consumer), in arrival order, without a lock. When the consumer
// falls behind and the ring is full, the newest message is dropped and counted: what is already
// queued keeps its order, and nothing is written outside the ring.
class ThruQueue {
  public:
    static constexpr size_t kCapacity = 256;

    // Producer only. False when the ring was full and the message was dropped.
    bool Push(uint32_t message) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) >= kCapacity) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        slots_[tail % kCapacity] = message;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer only. False when nothing waits.
    bool Pop(uint32_t& message) {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire))
            return false;
        message = slots_[head % kCapacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

  private:
    static_assert((kCapacity & (kCapacity - 1)) == 0, "the index wraps by masking");

    std::array<uint32_t, kCapacity> slots_{};
    // Apart, so the two threads do not share a cache line.
    alignas(64) std::atomic<size_t> head_{0};
    alignas(64) std::atomic<size_t> tail_{0};
    std::atomic<uint64_t> dropped_{0};
};
