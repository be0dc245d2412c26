#pragma once

#include <optional>

#include "midi/RawData.h"
#include "model/SoundVariation.h"

// What the Vary window remembers between its operations: the last randomise or nudge with the
// sound it started from, so that "Again" repeats it from there with a new seed; and the two
// ends of a morph, kept while the slider moves the sound between them.
class VarySession {
  public:
    // Runs a randomise or nudge from start (other for the nudge) and remembers it.
    RawData Run(const SoundVariation::Request& request, const RawData& start, const RawData& other);
    bool CanRepeat() const { return last_.has_value(); }
    // The last randomise or nudge again from the sound it started from, with seed.
    RawData Again(uint64_t seed);

    // A morph drag starts on current towards other. The morph goes on from the same A while
    // the sound still holds what the last morph made of it and other is the same.
    void BeginMorph(const RawData& current, const RawData& other);
    // The sound at position at (0..1) between the morph's ends; current as given to BeginMorph
    // before any morph. Remembered as what the morph made.
    RawData MorphAt(double at, const VariationLocks& locks);
    // True while current is what the morph made last.
    bool MorphHolds(const RawData& current) const { return morphA_ && current == morphMade_; }
    // Forgets the morph's ends (another operation changed the sound).
    void EndMorph() { morphA_.reset(); }

  private:
    struct Last {
        SoundVariation::Request request;
        RawData start;
        RawData other;
    };
    std::optional<Last> last_;
    std::optional<RawData> morphA_;
    RawData morphB_;
    RawData morphMade_;
};
