#pragma once

#include <cstdint>
#include <random>

// The random numbers of a variation. The engine's sequence for a seed is fixed by the language
// standard, and every number is derived here from its raw output, so the same seed gives the same
// sound with every compiler and standard library.
class VariationRandom {
  public:
    explicit VariationRandom(uint64_t seed) : engine_(seed) {}

    // A whole number from low to high, both included (low <= high); each equally likely.
    int Between(int low, int high);
    // True with a chance of percent in a hundred (0 never, 100 always).
    bool Chance(int percent);

    // A seed from the system's entropy, for an operation the user gave none.
    static uint64_t FreshSeed();

  private:
    // 0 .. bound - 1, without the bias a plain remainder would have.
    uint64_t Below(uint64_t bound);

    std::mt19937_64 engine_;
};
