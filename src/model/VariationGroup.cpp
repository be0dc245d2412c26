#include "model/VariationGroup.h"

#include "tables/ParameterEntry.h"
#include "tables/SoundLayout.h"

namespace {
constexpr std::array<std::string_view, kVariationGroupCount> kKeys = {
    "tuning", "waves", "rates", "levels", "lfos", "modulation", "algorithm"};

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}
}  // namespace

VariationLocks VariationLocks::Default() {
    VariationLocks locks;
    locks.Set(VariationGroup::Algorithm, true);
    return locks;
}

bool VariationLocks::Locked(VariationGroup group) const {
    const int index = static_cast<int>(group);
    // The name is never varied.
    return index >= kVariationGroupCount || locked_[index];
}

void VariationLocks::Set(VariationGroup group, bool locked) {
    const int index = static_cast<int>(group);
    if (index >= 0 && index < kVariationGroupCount)
        locked_[index] = locked;
}

std::string_view VariationLocks::Key(VariationGroup group) {
    const int index = static_cast<int>(group);
    return index >= 0 && index < kVariationGroupCount ? kKeys[index] : "name";
}

std::optional<VariationLocks> VariationLocks::Parse(std::string_view text) {
    // An empty list (an unset variable in a script) would unlock everything, the algorithm too.
    if (Trimmed(text).empty())
        return std::nullopt;
    VariationLocks locks;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view word = Trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (word == "none")
            continue;
        if (word == "envelopes") {
            locks.Set(VariationGroup::EnvelopeRates, true);
            locks.Set(VariationGroup::EnvelopeLevels, true);
            continue;
        }
        bool known = false;
        for (int index = 0; index < kVariationGroupCount; ++index) {
            if (word == kKeys[index]) {
                locks.locked_[index] = true;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return locks;
}

std::optional<VariationGroup> VariationLocks::GroupOf(const ParameterEntry& parameter) {
    switch (parameter.group) {
        case ParameterGroup::Algorithm:
            return VariationGroup::Algorithm;
        case ParameterGroup::Transpose:
        case ParameterGroup::NodeTuning:
            return VariationGroup::Tuning;
        case ParameterGroup::NodeWaves:
            return VariationGroup::Waves;
        case ParameterGroup::EnvelopeRates:
            return VariationGroup::EnvelopeRates;
        case ParameterGroup::EnvelopeLevels:
            return VariationGroup::EnvelopeLevels;
        case ParameterGroup::Lfos:
            return VariationGroup::Lfos;
        case ParameterGroup::Destinations:
            // An LFO's routing goes with the LFO; an envelope's with the modulation.
            return parameter.offset >= SoundLayout::LfoBase(0) ? VariationGroup::Lfos
                                                               : VariationGroup::Modulation;
        case ParameterGroup::Modulation:
            return VariationGroup::Modulation;
        default:
            return std::nullopt;
    }
}
