#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The parts of a sound a variation may change, each of which the user can lock. The name is a
// group of its own that no variation ever changes.
enum class VariationGroup : int {
    Tuning,          // nodes' detune, detone and fixed flag, the sound's transpose
    Waves,           // the wave selectors' waves
    EnvelopeRates,   // rates of the envelope points
    EnvelopeLevels,  // levels of the envelope points
    Lfos,            // both LFOs
    Modulation,      // the modulation matrix and the envelopes' destinations and depths
    Algorithm,
    Name,
};
inline constexpr int kVariationGroupCount = 7;  // the lockable ones, Name aside

struct ParameterEntry;

// A set of locked groups.
class VariationLocks {
  public:
    VariationLocks() = default;
    // Nothing locked but the algorithm: the usual start.
    static VariationLocks Default();

    bool Locked(VariationGroup group) const;
    void Set(VariationGroup group, bool locked);

    // The short name of a lockable group ("tuning", "waves", "rates", "levels", "lfos",
    // "modulation", "algorithm").
    static std::string_view Key(VariationGroup group);
    // Locks from a comma-separated list of keys, "envelopes" for rates and levels, "none" for
    // nothing locked; nothing when a word is unknown or the list is empty.
    static std::optional<VariationLocks> Parse(std::string_view text);

    // The lockable group a parameter of the sound's table belongs to; nothing for the name, the
    // envelopes' markers (which follow the rates and levels together) and the bytes of an
    // unknown algorithm's nodes, which no variation changes on its own.
    static std::optional<VariationGroup> GroupOf(const ParameterEntry& parameter);

    bool operator==(const VariationLocks&) const = default;

  private:
    std::array<bool, kVariationGroupCount> locked_{};
};
