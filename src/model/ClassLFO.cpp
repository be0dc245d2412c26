#include "model/ClassLFO.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

ClassLFO::ClassLFO(ModuleMIDI& midi, int16_t index)
    : midi_(midi), index_(static_cast<int16_t>(std::clamp<int>(index, 0, kLfoCount - 1))) {}

int ClassLFO::Base() const {
    return LfoBase(index_);
}

void ClassLFO::Send(int offset, int value) {
    midi_.SendParameter(soundNumber_, offset, value);
}

void ClassLFO::DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index) {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    soundNumber_ = soundNumber;
    index_ = static_cast<int16_t>(std::clamp<int>(index, 0, kLfoCount - 1));
    const int base = Base();
    auto byte = [&](int offset) { return static_cast<int16_t>(raw[base + offset] & 0xFF); };
    wave_ = byte(kLfoWave);
    delay_ = byte(kLfoDelay);
    rate_ = byte(kLfoRate);
    slots_.Decode(raw, base + kLfoSlots);
}

void ClassLFO::EncodeRaw(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    const int base = Base();
    auto put = [&](int offset, int16_t value) {
        raw[base + offset] = static_cast<int16_t>(value & 0xFF);
    };
    put(kLfoWave, wave_);
    put(kLfoDelay, delay_);
    put(kLfoRate, rate_);
    slots_.Encode(raw, base + kLfoSlots);
}

void ClassLFO::DefaultValue() {
    SetWave(0);
    SetDelay(0);
    SetRate(63);
    SetDestinationNode(0, 0);
    SetDestinationNode(1, 0);
    SetDestinationDepth(0, 0);
    SetDestinationDepth(1, 0);
}

void ClassLFO::SetWave(int16_t value) {
    wave_ = value;
    Send(Base() + kLfoWave, value);
}

void ClassLFO::SetDelay(int16_t value) {
    delay_ = ByteFromSigned(value);
    Send(Base() + kLfoDelay, delay_);
}

void ClassLFO::SetRate(int16_t value) {
    rate_ = ByteFromSigned(value);
    Send(Base() + kLfoRate, rate_);
}

DestinationSlots::Sender ClassLFO::SlotSender() {
    return [this](int offset, int value) { Send(Base() + kLfoSlots + offset, value); };
}

int16_t ClassLFO::DestinationNode(int slot) const {
    return slots_.Node(slot);
}

void ClassLFO::SetDestinationNode(int slot, int16_t value) {
    slots_.SetNode(slot, value, SlotSender());
}

int16_t ClassLFO::DestinationDepth(int slot) const {
    return slots_.Depth(slot);
}

void ClassLFO::SetDestinationDepth(int slot, int16_t value) {
    slots_.SetDepth(slot, value, SlotSender());
}
