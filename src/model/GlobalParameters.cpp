#include "model/GlobalParameters.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"

namespace {
constexpr int16_t kProtectOn = 255;
}  // namespace

// Reception of every kind of data on, the rest at rest: what a synth fresh from the factory has.
GlobalParameters::GlobalParameters() : raw_{1, 1, 0, 0x3F, 0, 2, 0} {}

bool GlobalParameters::DecodeRaw(const RawData& raw) {
    if (raw.size() != static_cast<size_t>(kRawBytes))
        return false;
    for (int i = 0; i < kRawBytes; ++i)
        raw_[i] = static_cast<int16_t>(raw[i] & 0xFF);
    return true;
}

RawData GlobalParameters::EncodeRaw() const {
    return raw_;
}

int GlobalParameters::Controller() const {
    return raw_[kByteController];
}

void GlobalParameters::SetController(int value) {
    raw_[kByteController] = static_cast<int16_t>(std::clamp(value, 0, kControllerMax));
}

int GlobalParameters::SystemChannel() const {
    return raw_[kByteChannel];
}

void GlobalParameters::SetSystemChannel(int value) {
    raw_[kByteChannel] = static_cast<int16_t>(std::clamp(value, 0, kChannelEntries - 1));
}

bool GlobalParameters::MemoryProtect() const {
    return raw_[kByteProtect] == kProtectOn;
}

void GlobalParameters::SetMemoryProtect(bool on) {
    raw_[kByteProtect] = on ? kProtectOn : 0;
}

bool GlobalParameters::Accepts(Accept kind) const {
    return BitIsSet(raw_[kByteAccept], kind);
}

void GlobalParameters::SetAccepts(Accept kind, bool on) {
    // The bits above the six kinds are the synth's; they go back as they came.
    const int16_t mask = static_cast<int16_t>(1 << kind);
    raw_[kByteAccept] =
        static_cast<int16_t>(on ? (raw_[kByteAccept] | mask) : (raw_[kByteAccept] & ~mask));
}

int GlobalParameters::Tune() const {
    return SignedFromByte(raw_[kByteTune]);
}

void GlobalParameters::SetTune(int value) {
    raw_[kByteTune] = static_cast<int16_t>(
        ByteFromSigned(static_cast<int16_t>(std::clamp(value, kTuneMin, kTuneMax))) & 0xFF);
}

int GlobalParameters::PitchBendRange() const {
    return raw_[kBytePitchBend];
}

void GlobalParameters::SetPitchBendRange(int value) {
    raw_[kBytePitchBend] = static_cast<int16_t>(std::clamp(value, 0, kPitchBendMax));
}

int GlobalParameters::KeyMode() const {
    return raw_[kByteKeyMode];
}

void GlobalParameters::SetKeyMode(int value) {
    raw_[kByteKeyMode] = static_cast<int16_t>(std::clamp(value, 0, kKeyModes - 1));
}

bool GlobalParameters::GetFromSynth(ModuleMIDI& midi) {
    midi.SendRequest(ModuleMIDI::kGlobals, -1);
    if (!midi.WaitForMessage(false))
        return false;
    RawData payload;
    if (midi.ExtractData(payload) != ModuleMIDI::kGlobals)
        return false;
    return DecodeRaw(payload);
}

bool GlobalParameters::SendToSynth(ModuleMIDI& midi) const {
    midi.SendData(raw_, ModuleMIDI::kGlobals, -1);
    return midi.WaitForMessage(true);
}
