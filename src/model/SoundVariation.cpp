#include "model/SoundVariation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "model/VariationRandom.h"
#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"
#include "tables/ParameterTable.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
using Field = ParameterEntry;

struct Markers {
    int sustain = 0;  // point number 1..6, 0 none
    int end = 0;
    bool operator==(const Markers&) const = default;
};

// How one operation picks each new value from the value now (already within range) and the
// other sound's (none when that sound has no such value).
struct Picks {
    std::function<int(int from, std::optional<int> other)> algorithm;
    std::function<int(const Field&, int value, std::optional<int> other)> value;
    std::function<Markers(Markers now, std::optional<Markers> other)> markers;
};

RawData Bytes(const RawData& raw) {
    RawData bytes(raw.begin(), raw.begin() + std::min<size_t>(raw.size(), kSize));
    bytes.resize(kSize, 0);
    for (int16_t& byte : bytes)
        byte &= 0xFF;
    return bytes;
}

int AlgorithmOf(const RawData& raw) {
    return raw[kAlgorithm];
}

bool SameNodes(int a, int b) {
    const auto first = AlgorithmNodes(a);
    const auto second = AlgorithmNodes(b);
    return std::equal(first.begin(), first.end(), second.begin(), second.end());
}

// Whether the algorithm may go from `from` to `to` with these locks.
bool MayChange(int from, int to, const VariationLocks& locks) {
    if (from == to)
        return true;
    if (locks.Locked(VariationGroup::Algorithm) || !IsAlgorithm(to) || !IsAlgorithm(from))
        return false;
    return SameNodes(from, to) ||
           (!locks.Locked(VariationGroup::Tuning) && !locks.Locked(VariationGroup::Waves));
}

// The node editor's change of algorithm: nodes of another list start from their defaults, and
// the positions the new list does not use hold 0.
void SwitchAlgorithm(RawData& raw, int to) {
    const int from = AlgorithmOf(raw);
    raw[kAlgorithm] = static_cast<int16_t>(to);
    if (SameNodes(from, to))
        return;
    const auto nodes = AlgorithmNodes(to);
    for (int j = 0; j < kNodePositions; ++j) {
        const int first = NodeFirstByte(j);
        const bool tuned = j < static_cast<int>(nodes.size()) && NodeType(nodes[j]) == kNodeTuned;
        raw[first] = 0;
        raw[first + 1] = static_cast<int16_t>(tuned ? kDetoneBias : 0);
    }
}

// The markers as the model reads them: the first end marker, the last sustain marker up to it.
Markers ReadMarkers(const RawData& raw, int envelope) {
    const int base = EnvelopeBase(envelope);
    Markers markers;
    for (int i = 0; i < kEnvelopePoints && markers.end == 0; ++i) {
        if ((raw[base + 2 * i + 1] & kMarkerBit) != 0)
            markers.end = i + 1;
        if ((raw[base + 2 * i] & kMarkerBit) != 0)
            markers.sustain = i + 1;
    }
    return markers;
}

void WriteMarkers(RawData& raw, int envelope, Markers markers) {
    const int base = EnvelopeBase(envelope);
    for (int i = 0; i < kEnvelopePoints; ++i) {
        const int rate = raw[base + 2 * i] & kPointValueMask;
        const int level = raw[base + 2 * i + 1] & kPointValueMask;
        raw[base + 2 * i] =
            static_cast<int16_t>(rate | (markers.sustain == i + 1 ? kMarkerBit : 0));
        raw[base + 2 * i + 1] =
            static_cast<int16_t>(level | (markers.end == i + 1 ? kMarkerBit : 0));
    }
}

Markers RandomMarkers(VariationRandom& random) {
    Markers markers;
    markers.end = random.Between(1, kEnvelopePoints);
    markers.sustain = random.Between(0, std::min(kEnvelopePoints - 1, markers.end));
    return markers;
}

// A choice other than `value` within min..max, each equally likely.
int OtherChoice(VariationRandom& random, const Field& field, int value) {
    if (field.max <= field.min)
        return field.min;
    const int drawn = random.Between(field.min, field.max - 1);
    return drawn >= value ? drawn + 1 : drawn;
}

// An algorithm other than `from` that the locks allow, or `from` when there is none.
int OtherAlgorithm(VariationRandom& random, int from, const VariationLocks& locks) {
    std::vector<int> allowed;
    for (int a = 0; a < kAlgorithmCount; ++a) {
        if (a != from && MayChange(from, a, locks))
            allowed.push_back(a);
    }
    if (allowed.empty())
        return from;
    return allowed[static_cast<size_t>(random.Between(0, static_cast<int>(allowed.size()) - 1))];
}

RawData Vary(const RawData& startRaw, const RawData* otherRaw, const VariationLocks& locks,
             const Picks& picks) {
    RawData result = Bytes(startRaw);
    std::optional<RawData> other;
    if (otherRaw != nullptr)
        other = Bytes(*otherRaw);

    const int from = AlgorithmOf(result);
    if (!locks.Locked(VariationGroup::Algorithm) && IsAlgorithm(from)) {
        std::optional<int> theirs;
        if (other)
            theirs = AlgorithmOf(*other);
        const int to = picks.algorithm(from, theirs);
        if (to != from && MayChange(from, to, locks))
            SwitchAlgorithm(result, to);
    }
    const int algorithm = AlgorithmOf(result);
    // The other's node bytes mean the same only when its algorithm has the same nodes.
    const bool otherNodes = other && SameNodes(AlgorithmOf(*other), algorithm);

    for (const Field& field : ParameterTable::Sound(algorithm)) {
        const std::optional<VariationGroup> group = VariationLocks::GroupOf(field);
        if (!group || *group == VariationGroup::Algorithm || locks.Locked(*group))
            continue;
        int16_t& byte = result[field.offset];
        const int value = std::clamp(field.Read(byte), field.min, field.max);
        std::optional<int> theirs;
        if (other && (field.offset < kNodeBase || otherNodes))
            theirs = std::clamp(field.Read((*other)[field.offset]), field.min, field.max);
        const int picked = std::clamp(picks.value(field, value, theirs), field.min, field.max);
        byte = static_cast<int16_t>(field.Write(byte, picked));
    }

    if (!locks.Locked(VariationGroup::EnvelopeRates) &&
        !locks.Locked(VariationGroup::EnvelopeLevels)) {
        for (int e = 0; e < kEnvelopeCount; ++e) {
            std::optional<Markers> theirs;
            if (other)
                theirs = ReadMarkers(*other, e);
            WriteMarkers(result, e, picks.markers(ReadMarkers(result, e), theirs));
        }
    }
    return result;
}
}  // namespace

RawData SoundVariation::Apply(const Request& request, const RawData& start, const RawData& other) {
    switch (request.operation) {
        case Operation::Randomise:
            return Randomise(start, request.amount, request.locks, request.seed);
        case Operation::NudgeTowards:
        case Operation::NudgeAway:
            return Nudge(start, other, request.amount, request.operation == Operation::NudgeAway,
                         request.locks, request.seed);
        case Operation::Morph:
            return Morph(start, other, request.at, request.locks);
    }
    return Bytes(start);
}

RawData SoundVariation::Randomise(const RawData& start, int amount, const VariationLocks& locks,
                                  uint64_t seed) {
    amount = std::clamp(amount, 0, 100);
    VariationRandom random(seed);
    Picks picks;
    picks.algorithm = [&](int from, std::optional<int>) {
        return random.Chance(amount) ? OtherAlgorithm(random, from, locks) : from;
    };
    picks.value = [&](const Field& field, int value, std::optional<int>) {
        if (field.kind != ParameterKind::Number)
            return random.Chance(amount) ? OtherChoice(random, field, value) : value;
        if (amount == 0)
            return value;
        const int spread =
            std::max(1, static_cast<int>(std::lround((field.max - field.min) * amount / 100.0)));
        return random.Between(std::max(field.min, value - spread),
                              std::min(field.max, value + spread));
    };
    picks.markers = [&](Markers now, std::optional<Markers>) {
        return random.Chance(amount) ? RandomMarkers(random) : now;
    };
    return Vary(start, nullptr, locks, picks);
}

RawData SoundVariation::Nudge(const RawData& start, const RawData& other, int amount, bool away,
                              const VariationLocks& locks, uint64_t seed) {
    amount = std::clamp(amount, 0, 100);
    VariationRandom random(seed);
    Picks picks;
    picks.algorithm = [&](int from, std::optional<int> theirs) {
        if (!theirs)
            return from;
        if (!away)
            return *theirs != from && random.Chance(amount) ? *theirs : from;
        return *theirs == from && random.Chance(amount) ? OtherAlgorithm(random, from, locks)
                                                        : from;
    };
    picks.value = [&](const Field& field, int value, std::optional<int> theirs) {
        if (!theirs)
            return value;
        if (field.kind == ParameterKind::Number) {
            const int step = static_cast<int>(std::lround((*theirs - value) * amount / 100.0));
            return away ? value - step : value + step;
        }
        if (!away)
            return *theirs != value && random.Chance(amount) ? *theirs : value;
        return *theirs == value && random.Chance(amount) ? OtherChoice(random, field, value)
                                                         : value;
    };
    picks.markers = [&](Markers now, std::optional<Markers> theirs) {
        if (!theirs)
            return now;
        if (!away)
            return !(*theirs == now) && random.Chance(amount) ? *theirs : now;
        if (!(*theirs == now) || !random.Chance(amount))
            return now;
        Markers drawn = RandomMarkers(random);
        if (drawn == now)
            drawn.sustain = (drawn.sustain + 1) % (std::min(kEnvelopePoints - 1, drawn.end) + 1);
        return drawn;
    };
    return Vary(start, &other, locks, picks);
}

RawData SoundVariation::Morph(const RawData& a, const RawData& b, double at,
                              const VariationLocks& locks) {
    at = std::clamp(at, 0.0, 1.0);
    const bool nearerB = at >= 0.5;
    Picks picks;
    picks.algorithm = [&](int from, std::optional<int> theirs) {
        return nearerB && theirs ? *theirs : from;
    };
    picks.value = [&](const Field& field, int value, std::optional<int> theirs) {
        if (!theirs)
            return value;
        if (field.kind != ParameterKind::Number)
            return nearerB ? *theirs : value;
        return value + static_cast<int>(std::lround(at * (*theirs - value)));
    };
    picks.markers = [&](Markers now, std::optional<Markers> theirs) {
        return nearerB && theirs ? *theirs : now;
    };
    return Vary(a, &b, locks, picks);
}
