#include "model/ClassModulation.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
constexpr int kSignedRows[] = {kModulationKeyDepth, kModulationVelocity, kModulationAfterTouch,
                               kModulationController, kModulationModWheel};
}  // namespace

ClassModulation::ClassModulation(ModuleMIDI& midi, int16_t index)
    : midi_(midi), index_(static_cast<int16_t>(std::clamp<int>(index, 0, kModulationCount - 1))) {}

int ClassModulation::KeyBreakByte() const {
    const int magnitude = keyBreak_ + kKeyBreakBias;
    return keyRightToLeft_ ? 256 - magnitude : magnitude;
}

void ClassModulation::Send(int row, int value) {
    midi_.SendParameter(soundNumber_, row + index_, value);
}

void ClassModulation::DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index) {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    soundNumber_ = soundNumber;
    index_ = static_cast<int16_t>(std::clamp<int>(index, 0, kModulationCount - 1));
    auto byte = [&](int row) { return static_cast<int16_t>(raw[row + index_] & 0xFF); };
    destination_ = byte(kModulationDestination);
    const int16_t s = SignedFromByte(byte(kModulationKeyBreak));
    keyRightToLeft_ = s < 0;
    keyBreak_ = static_cast<int16_t>((s < 0 ? -s : s) - kKeyBreakBias);
    int16_t* depths[] = {&keyDepth_, &velocity_, &afterTouch_, &controller_, &modWheel_};
    for (size_t i = 0; i < std::size(kSignedRows); ++i) {
        *depths[i] = SignedFromByte(byte(kSignedRows[i]));
    }
}

void ClassModulation::EncodeRaw(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kUsedSize))
        return;
    auto put = [&](int row, int value) {
        raw[row + index_] =
            static_cast<int16_t>(ByteFromSigned(static_cast<int16_t>(value)) & 0xFF);
    };
    put(kModulationDestination, destination_);
    put(kModulationKeyBreak, KeyBreakByte());
    const int16_t depths[] = {keyDepth_, velocity_, afterTouch_, controller_, modWheel_};
    for (size_t i = 0; i < std::size(kSignedRows); ++i)
        put(kSignedRows[i], depths[i]);
}

void ClassModulation::DefaultValue() {
    SetDestination(0);
    SetKeyBreak(0);
    SetKeyRightToLeft(false);
    SetKeyDepth(0);
    SetVelocity(0);
    SetAfterTouch(0);
    SetController(0);
    SetModWheel(0);
}

void ClassModulation::SetDestination(int16_t value) {
    destination_ = value;
    Send(kModulationDestination, value);
}

void ClassModulation::SetKeyBreak(int16_t value) {
    keyBreak_ = value;
    Send(kModulationKeyBreak, KeyBreakByte());
}

void ClassModulation::SetKeyRightToLeft(bool value) {
    keyRightToLeft_ = value;
    Send(kModulationKeyBreak, KeyBreakByte());
}

void ClassModulation::SetKeyDepth(int16_t value) {
    keyDepth_ = value;
    Send(kModulationKeyDepth, value);
}

void ClassModulation::SetVelocity(int16_t value) {
    velocity_ = value;
    Send(kModulationVelocity, value);
}

void ClassModulation::SetAfterTouch(int16_t value) {
    afterTouch_ = value;
    Send(kModulationAfterTouch, value);
}

void ClassModulation::SetController(int16_t value) {
    controller_ = value;
    Send(kModulationController, value);
}

void ClassModulation::SetModWheel(int16_t value) {
    modWheel_ = value;
    Send(kModulationModWheel, value);
}
