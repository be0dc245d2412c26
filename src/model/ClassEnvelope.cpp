#include "model/ClassEnvelope.h"

#include <algorithm>

#include "midi/ModuleMIDI.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
bool ValidPoint(int point) {
    return point >= 0 && point < ClassEnvelope::kPoints;
}
// Sustain and end points are numbered 1..6; 0 means none.
bool ValidMarker(int number) {
    return number >= 0 && number <= ClassEnvelope::kPoints;
}
}  // namespace

ClassEnvelope::ClassEnvelope(ModuleMIDI& midi, int16_t index)
    : midi_(midi), index_(static_cast<int16_t>(std::clamp<int>(index, 0, kEnvelopeCount - 1))) {}

int ClassEnvelope::Base() const {
    return EnvelopeBase(index_);
}

int ClassEnvelope::RateByte(int point) const {
    const int16_t marker = point + 1 == sustainPoint_ ? kMarkerBit : 0;
    return rates_[point] + marker;
}

int ClassEnvelope::LevelByte(int point) const {
    const int16_t marker = point + 1 == endPoint_ ? kMarkerBit : 0;
    return levels_[point] + marker;
}

void ClassEnvelope::Send(int offset, int value) {
    midi_.SendParameter(soundNumber_, offset, value);
}

void ClassEnvelope::DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index) {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    soundNumber_ = soundNumber;
    index_ = static_cast<int16_t>(std::clamp<int>(index, 0, kEnvelopeCount - 1));
    sustainPoint_ = 0;
    endPoint_ = 0;
    const int base = Base();
    for (int i = 0; i < kPoints; ++i) {
        const int rate = raw[base + 2 * i] & 0xFF;
        const int level = raw[base + 2 * i + 1] & 0xFF;
        rates_[i] = static_cast<int16_t>(rate & kPointValueMask);
        levels_[i] = static_cast<int16_t>(level & kPointValueMask);
        // Markers after the end point mean nothing; a sustain marker on the end point counts.
        if (endPoint_ == 0) {
            if (level & kMarkerBit)
                endPoint_ = static_cast<int16_t>(i + 1);
            if (rate & kMarkerBit)
                sustainPoint_ = static_cast<int16_t>(i + 1);
        }
    }
    slots_.Decode(raw, base + kEnvelopeSlots);
}

void ClassEnvelope::EncodeRaw(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    const int base = Base();
    for (int i = 0; i < kPoints; ++i) {
        raw[base + 2 * i] = static_cast<int16_t>(RateByte(i) & 0xFF);
        raw[base + 2 * i + 1] = static_cast<int16_t>(LevelByte(i) & 0xFF);
    }
    slots_.Encode(raw, base + kEnvelopeSlots);
}

void ClassEnvelope::DefaultValue() {
    SetSustainPoint(2);
    SetEndPoint(3);
    constexpr int16_t kRates[kPoints] = {63, 63, 0, 0, 0, 0};
    constexpr int16_t kLevels[kPoints] = {127, 63, 0, 0, 0, 0};
    for (int i = 0; i < kPoints; ++i) {
        SetEnvelopeRate(i, kRates[i]);
        SetEnvelopeLevel(i, kLevels[i]);
    }
    // Envelope e drives the node at position 4 + e: an amplifier in the eight-node algorithms.
    SetDestinationNode(0, static_cast<int16_t>(index_ + 5));
    SetDestinationNode(1, 0);
    SetDestinationDepth(0, 127);
    SetDestinationDepth(1, 0);
}

void ClassEnvelope::SetSustainPoint(int16_t point) {
    if (!ValidMarker(point))
        return;
    const int old = sustainPoint_;
    if (old > 0)
        Send(Base() + 2 * (old - 1), rates_[old - 1]);
    sustainPoint_ = point;
    if (point > 0)
        Send(Base() + 2 * (point - 1), rates_[point - 1] + kMarkerBit);
}

void ClassEnvelope::SetEndPoint(int16_t point) {
    if (!ValidMarker(point))
        return;
    endPoint_ = point;
    // The old end marker may sit on any level byte, so every point byte is sent again.
    for (int i = 0; i < kPoints; ++i) {
        Send(Base() + 2 * i, RateByte(i));
        Send(Base() + 2 * i + 1, LevelByte(i));
    }
}

int16_t ClassEnvelope::EnvelopeRate(int point) const {
    return ValidPoint(point) ? rates_[point] : int16_t{0};
}

void ClassEnvelope::SetEnvelopeRate(int point, int16_t value) {
    if (!ValidPoint(point))
        return;
    rates_[point] = value;
    Send(Base() + 2 * point, RateByte(point));
}

int16_t ClassEnvelope::EnvelopeLevel(int point) const {
    return ValidPoint(point) ? levels_[point] : int16_t{0};
}

void ClassEnvelope::SetEnvelopeLevel(int point, int16_t value) {
    if (!ValidPoint(point))
        return;
    levels_[point] = value;
    Send(Base() + 2 * point + 1, LevelByte(point));
}

DestinationSlots::Sender ClassEnvelope::SlotSender() {
    return [this](int offset, int value) { Send(Base() + kEnvelopeSlots + offset, value); };
}

int16_t ClassEnvelope::DestinationNode(int slot) const {
    return slots_.Node(slot);
}

void ClassEnvelope::SetDestinationNode(int slot, int16_t value) {
    slots_.SetNode(slot, value, SlotSender());
}

int16_t ClassEnvelope::DestinationDepth(int slot) const {
    return slots_.Depth(slot);
}

void ClassEnvelope::SetDestinationDepth(int slot, int16_t value) {
    slots_.SetDepth(slot, value, SlotSender());
}
