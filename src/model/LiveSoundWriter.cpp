#include "model/LiveSoundWriter.h"

#include "midi/ModuleMIDI.h"
#include "model/ClassSound.h"
#include "tables/SoundLayout.h"

LiveSoundWriter::LiveSoundWriter(ClassSound& sound, ModuleMIDI& midi)
    : sound_(sound), midi_(midi) {}

bool LiveSoundWriter::Write(const RawData& raw) {
    if (raw.size() < static_cast<size_t>(SoundLayout::kSize))
        return false;
    waiting_ = RawData(raw.begin(), raw.begin() + SoundLayout::kSize);
    if (busy_)
        return true;
    busy_ = true;
    synth_ = sound_.EncodeRawSound();
    bool ok = true;
    while (waiting_) {
        const RawData next = std::move(*waiting_);
        waiting_.reset();
        ok = SendDifferences(next);
    }
    busy_ = false;
    // The object shows what the synth holds: the latest version, or what a refused dump left.
    if (sound_.EncodeRawSound() != synth_)
        sound_.DecodeRawSound(synth_);
    return ok;
}

bool LiveSoundWriter::SendDifferences(const RawData& target) {
    std::vector<int> changed;
    for (int offset = 0; offset < SoundLayout::kSize; ++offset) {
        if ((target[offset] & 0xFF) != (synth_[offset] & 0xFF))
            changed.push_back(offset);
    }
    if (static_cast<int>(changed.size()) > kMaxParameterChanges) {
        if (!sound_.SendSound(target))
            return false;
        synth_ = target;
        return true;
    }
    for (int offset : changed) {
        // A newer version waits: what went out so far is in the synth, the rest is not needed.
        if (waiting_)
            return true;
        midi_.SendParameter(sound_.Number(), offset, target[offset] & 0xFF);
        synth_[offset] = static_cast<int16_t>(target[offset] & 0xFF);
    }
    return true;
}
