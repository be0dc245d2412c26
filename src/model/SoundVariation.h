#pragma once

#include <cstdint>

#include "midi/RawData.h"
#include "model/VariationGroup.h"

// New sounds made from existing ones: randomised by an amount, nudged towards or away from
// another sound, or morphed between two. Each works on raw sounds as the model encodes them
// (138 elements) and gives a new one in which
// - every value a variation touched lies within its range, by construction;
// - the name and every locked group are byte for byte those of the starting sound;
// - the same inputs and seed give the same sound.
//
// The algorithm is a choice like any other, with the node editor's rule: a sound that takes an
// algorithm with other nodes gets those nodes with their defaults (and then varies them), so it
// changes to such an algorithm only while the nodes' tuning and waves are unlocked too; among
// algorithms with the same nodes it changes while only the algorithm is unlocked, and the node
// values carry over. The envelopes' sustain and end points move only while both the rates and
// the levels are unlocked, as one choice per envelope.
class SoundVariation {
  public:
    enum class Operation { Randomise, NudgeTowards, NudgeAway, Morph };

    struct Request {
        Operation operation = Operation::Randomise;
        int amount = 25;  // percent, 0..100 (randomise, nudge)
        double at = 0.5;  // 0 = the start, 1 = the other sound (morph)
        uint64_t seed = 0;
        VariationLocks locks = VariationLocks::Default();
    };

    // The request applied to start (with other, for nudge and morph).
    static RawData Apply(const Request& request, const RawData& start, const RawData& other);

    // Every unlocked number moves by a random step of up to amount % of its range; every
    // unlocked choice changes with a chance of amount %.
    static RawData Randomise(const RawData& start, int amount, const VariationLocks& locks,
                             uint64_t seed);
    // Every unlocked number moves amount % of the way towards the other's value (away: as far
    // the other way); a choice takes the other's with a chance of amount % (away: leaves the
    // other's for a random one).
    static RawData Nudge(const RawData& start, const RawData& other, int amount, bool away,
                         const VariationLocks& locks, uint64_t seed);
    // Numbers in between, choices from the nearer side: at 0 the result is a, at 1 it is b
    // with a's name (and a's locked groups).
    static RawData Morph(const RawData& a, const RawData& b, double at,
                         const VariationLocks& locks);
};
