#include "model/VariationRandom.h"

#include <chrono>

uint64_t VariationRandom::Below(uint64_t bound) {
    if (bound <= 1)
        return 0;
    // Draws that fall into the incomplete last block of `bound` values are drawn again.
    const uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    uint64_t drawn = engine_();
    while (drawn >= limit)
        drawn = engine_();
    return drawn % bound;
}

int VariationRandom::Between(int low, int high) {
    if (high <= low)
        return low;
    return low + static_cast<int>(Below(static_cast<uint64_t>(high - low) + 1));
}

bool VariationRandom::Chance(int percent) {
    return static_cast<int>(Below(100)) < percent;
}

uint64_t VariationRandom::FreshSeed() {
    std::random_device device;
    const uint64_t entropy = (static_cast<uint64_t>(device()) << 32) ^ device();
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    // Seeds the user can read and type: below ten digits.
    return (entropy ^ static_cast<uint64_t>(now)) % 1000000000ULL;
}
