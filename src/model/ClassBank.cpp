#include "model/ClassBank.h"

#include <algorithm>
#include <utility>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"

namespace {
constexpr int16_t kDefaultVolume = 99;
constexpr int16_t kDefaultLowSplit = 24;
constexpr int16_t kDefaultHighSplit = 102;

enum SwitchBit : int {
    kBitVelocity = 0,
    kBitController = 1,
    kBitModWheel = 2,
    kBitAftertouch = 3,
    kBitPitchBend = 4,
    kBitLfo = 5
};

// The byte a value occupies in the raw group (two's complement for negative values).
int16_t StoredByte(int16_t value) {
    return static_cast<int16_t>(ByteFromSigned(value) & 0xFF);
}
}  // namespace

ClassBank::ClassBank(ModuleMIDI& midi, int index)
    : midi_(midi), index_(std::clamp(index, 0, kBankCount - 1)) {}

bool ClassBank::DecodeRaw(const RawData& raw, int index) {
    if (index < 0 || index >= kBankCount || raw.size() < static_cast<size_t>(kRawBytes)) {
        return false;
    }
    index_ = index;
    auto byte = [&](Parameter p) { return static_cast<int16_t>(raw[Offset(p, index_)] & 0xFF); };
    soundNumber_ = byte(kSoundNumber);
    channel_ = byte(kChannel);
    volume_ = byte(kVolume);
    pan_ = SignedFromByte(byte(kPan));
    DecodeSwitches(byte(kSwitches));
    transpose_ = SignedFromByte(byte(kTranspose));
    detune_ = SignedFromByte(byte(kDetune));
    lowSplit_ = byte(kLowSplit);
    highSplit_ = byte(kHighSplit);
    hasChanged_ = false;
    return true;
}

bool ClassBank::EncodeRaw(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kRawBytes))
        return false;
    auto put = [&](Parameter p, int16_t value) { raw[Offset(p, index_)] = StoredByte(value); };
    put(kSoundNumber, soundNumber_);
    put(kChannel, channel_);
    put(kVolume, volume_);
    put(kPan, pan_);
    put(kSwitches, SwitchByte());
    put(kTranspose, transpose_);
    put(kDetune, detune_);
    put(kLowSplit, lowSplit_);
    put(kHighSplit, highSplit_);
    return true;
}

void ClassBank::DefaultValue() {
    SetSoundNumber(static_cast<int16_t>(index_));
    SetChannel(static_cast<int16_t>(index_ + 1));
    SetVolume(kDefaultVolume);
    SetPan(0);
    SetTranspose(0);
    SetDetune(0);
    SetLowSplit(kDefaultLowSplit);
    SetHighSplit(kDefaultHighSplit);
    // The six switches travel together as one byte, so they are set here and sent once.
    modVelocity_ = modController_ = modModWheel_ = modAftertouch_ = modPitchBend_ = modLfo_ = true;
    midi_.SendBankParameter(index_, kSwitches, SwitchByte());
    hasChanged_ = true;
}

void ClassBank::SetSoundNumber(int16_t value) {
    SetValue(soundNumber_, kSoundNumber, value);
}
void ClassBank::SetChannel(int16_t value) {
    SetValue(channel_, kChannel, value);
}
void ClassBank::SetVolume(int16_t value) {
    SetValue(volume_, kVolume, value);
}
void ClassBank::SetPan(int16_t value) {
    SetValue(pan_, kPan, value);
}
void ClassBank::SetTranspose(int16_t value) {
    SetValue(transpose_, kTranspose, value);
}
void ClassBank::SetDetune(int16_t value) {
    SetValue(detune_, kDetune, value);
}
void ClassBank::SetLowSplit(int16_t value) {
    SetValue(lowSplit_, kLowSplit, value);
}
void ClassBank::SetHighSplit(int16_t value) {
    SetValue(highSplit_, kHighSplit, value);
}

void ClassBank::SetModVelocity(bool on) {
    SetSwitch(modVelocity_, on);
}
void ClassBank::SetModController(bool on) {
    SetSwitch(modController_, on);
}
void ClassBank::SetModModWheel(bool on) {
    SetSwitch(modModWheel_, on);
}
void ClassBank::SetModAftertouch(bool on) {
    SetSwitch(modAftertouch_, on);
}
void ClassBank::SetModPitchBend(bool on) {
    SetSwitch(modPitchBend_, on);
}
void ClassBank::SetModLfo(bool on) {
    SetSwitch(modLfo_, on);
}

int16_t ClassBank::SwitchByte() const {
    int16_t byte = 0;
    if (modVelocity_)
        byte = SetBit(byte, kBitVelocity);
    if (modController_)
        byte = SetBit(byte, kBitController);
    if (modModWheel_)
        byte = SetBit(byte, kBitModWheel);
    if (modAftertouch_)
        byte = SetBit(byte, kBitAftertouch);
    if (modPitchBend_)
        byte = SetBit(byte, kBitPitchBend);
    if (modLfo_)
        byte = SetBit(byte, kBitLfo);
    return byte;
}

void ClassBank::SetValue(int16_t& field, Parameter parameter, int16_t value) {
    midi_.SendBankParameter(index_, parameter, value);
    hasChanged_ = true;
    field = value;
}

void ClassBank::SetSwitch(bool& field, bool on) {
    field = on;
    midi_.SendBankParameter(index_, kSwitches, SwitchByte());
    hasChanged_ = true;
}

std::string ClassBank::KeyName(int key) {
    return NoteName(key - kDefaultLowSplit);
}

void ClassBank::TakeValues(const ClassBank& other) {
    static constexpr std::pair<int16_t ClassBank::*, Parameter> kValues[] = {
        {&ClassBank::soundNumber_, kSoundNumber}, {&ClassBank::channel_, kChannel},
        {&ClassBank::volume_, kVolume},           {&ClassBank::pan_, kPan},
        {&ClassBank::transpose_, kTranspose},     {&ClassBank::detune_, kDetune},
        {&ClassBank::lowSplit_, kLowSplit},       {&ClassBank::highSplit_, kHighSplit},
    };
    for (const auto& [field, parameter] : kValues) {
        if (this->*field != other.*field)
            SetValue(this->*field, parameter, other.*field);
    }
    if (SwitchByte() != other.SwitchByte()) {
        DecodeSwitches(other.SwitchByte());
        midi_.SendBankParameter(index_, kSwitches, SwitchByte());
        hasChanged_ = true;
    }
}

void ClassBank::DecodeSwitches(int16_t byte) {
    modVelocity_ = BitIsSet(byte, kBitVelocity);
    modController_ = BitIsSet(byte, kBitController);
    modModWheel_ = BitIsSet(byte, kBitModWheel);
    modAftertouch_ = BitIsSet(byte, kBitAftertouch);
    modPitchBend_ = BitIsSet(byte, kBitPitchBend);
    modLfo_ = BitIsSet(byte, kBitLfo);
}
