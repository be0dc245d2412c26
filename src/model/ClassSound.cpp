#include "model/ClassSound.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "midi/ModuleMIDI.h"
#include "model/NameRules.h"
#include "tables/AlgorithmTable.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
constexpr int kNodeBytes = 2 * kNodePositions;

template <typename T, size_t N>
T* At(const std::array<std::unique_ptr<T>, N>& records, int index) {
    return index >= 0 && index < static_cast<int>(N) ? records[index].get() : nullptr;
}
}  // namespace

ClassSound::ClassSound(ModuleMIDI& midi) : midi_(midi) {
    for (int e = 0; e < kEnvelopes; ++e) {
        envelopes_[e] = std::make_unique<ClassEnvelope>(midi_, static_cast<int16_t>(e));
    }
    for (int l = 0; l < kLfos; ++l) {
        lfos_[l] = std::make_unique<ClassLFO>(midi_, static_cast<int16_t>(l));
    }
    for (int m = 0; m < kModulations; ++m) {
        modulations_[m] = std::make_unique<ClassModulation>(midi_, static_cast<int16_t>(m));
    }
}

ClassSound::~ClassSound() = default;

void ClassSound::SetNumber(int16_t number) {
    number_ = number;
    for (auto& envelope : envelopes_)
        envelope->SetSoundNumber(number);
    for (auto& lfo : lfos_)
        lfo->SetSoundNumber(number);
    for (auto& modulation : modulations_)
        modulation->SetSoundNumber(number);
    for (auto& node : nodes_)
        node->SetSoundNumber(number);
}

ClassEnvelope* ClassSound::Envelope(int index) {
    return At(envelopes_, index);
}
const ClassEnvelope* ClassSound::Envelope(int index) const {
    return At(envelopes_, index);
}
ClassLFO* ClassSound::LFO(int index) {
    return At(lfos_, index);
}
const ClassLFO* ClassSound::LFO(int index) const {
    return At(lfos_, index);
}
ClassModulation* ClassSound::Modulation(int index) {
    return At(modulations_, index);
}
const ClassModulation* ClassSound::Modulation(int index) const {
    return At(modulations_, index);
}

ClassNode* ClassSound::Node(int position) {
    return position >= 0 && position < NodeCount() ? nodes_[position].get() : nullptr;
}

const ClassNode* ClassSound::Node(int position) const {
    return position >= 0 && position < NodeCount() ? nodes_[position].get() : nullptr;
}

void ClassSound::ClearNodes() {
    nodes_.clear();
    unknownNodeBytes_.clear();
}

std::unique_ptr<ClassNode> ClassSound::MakeNode(int position, int16_t nodeNumber) {
    auto node = std::make_unique<ClassNode>(midi_);
    node->Initialise(number_, static_cast<int16_t>(position), nodeNumber);
    return node;
}

bool ClassSound::DecodeRawSound(const RawData& raw) {
    if (raw.size() < static_cast<size_t>(kSize))
        return false;
    name_.clear();
    for (int i = 0; i < kNameBytes; ++i) {
        name_.push_back(static_cast<char>(raw[kName + i] & 0xFF));
    }
    algorithm_ = static_cast<int16_t>(raw[kAlgorithm] & 0xFF);
    transpose_ = SignedFromByte(static_cast<int16_t>(raw[kTranspose] & 0xFF));
    for (int e = 0; e < kEnvelopes; ++e) {
        envelopes_[e]->DecodeRaw(raw, number_, static_cast<int16_t>(e));
    }
    for (int l = 0; l < kLfos; ++l)
        lfos_[l]->DecodeRaw(raw, number_, static_cast<int16_t>(l));
    for (int m = 0; m < kModulations; ++m) {
        modulations_[m]->DecodeRaw(raw, number_, static_cast<int16_t>(m));
    }
    ClearNodes();
    if (IsAlgorithm(algorithm_)) {
        const auto numbers = AlgorithmNodes(algorithm_);
        for (size_t j = 0; j < numbers.size(); ++j) {
            nodes_.push_back(MakeNode(static_cast<int>(j), numbers[j]));
            nodes_.back()->DecodeRaw(raw);
        }
    } else {
        // No table row tells how to read these bytes; keep them for the way back.
        unknownNodeBytes_.assign(raw.begin() + kNodeBase, raw.begin() + kNodeBase + kNodeBytes);
        for (int16_t& byte : unknownNodeBytes_)
            byte &= 0xFF;
    }
    emit DataChanged();
    return true;
}

bool ClassSound::EncodeRawSound(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kSize))
        return false;
    std::fill(raw.begin(), raw.begin() + kSize, int16_t{0});
    // A name never set is written as blanks: the layout always holds ten characters.
    for (int i = 0; i < kNameBytes; ++i) {
        const char c = i < static_cast<int>(name_.size()) ? name_[i] : ' ';
        raw[kName + i] = static_cast<int16_t>(static_cast<unsigned char>(c));
    }
    raw[kAlgorithm] = static_cast<int16_t>(algorithm_ & 0xFF);
    raw[kTranspose] = static_cast<int16_t>(ByteFromSigned(transpose_) & 0xFF);
    for (const auto& envelope : envelopes_)
        envelope->EncodeRaw(raw);
    for (const auto& lfo : lfos_)
        lfo->EncodeRaw(raw);
    for (const auto& modulation : modulations_)
        modulation->EncodeRaw(raw);
    for (const auto& node : nodes_)
        node->EncodeRaw(raw);
    std::copy(unknownNodeBytes_.begin(), unknownNodeBytes_.end(), raw.begin() + kNodeBase);
    return true;
}

RawData ClassSound::EncodeRawSound() const {
    RawData raw(kSize, 0);
    EncodeRawSound(raw);
    return raw;
}

bool ClassSound::RequestSound() {
    RawData raw;
    if (!midi_.RequestDump(ModuleMIDI::kOneSound, number_, kSize, raw))
        return false;
    return DecodeRawSound(raw);
}

bool ClassSound::SendSound(const RawData& raw) {
    if (raw.size() < static_cast<size_t>(kSize))
        return false;
    // A one-sound dump carries exactly one raw sound; longer arrays are cut to it, so that the
    // synth takes what the object will show.
    const RawData sound(raw.begin(), raw.begin() + kSize);
    midi_.SendData(sound, ModuleMIDI::kOneSound, number_);
    if (!midi_.WaitForMessage(true))
        return false;
    DecodeRawSound(sound);
    midi_.SendParameter(number_, kAlgorithm, algorithm_);
    return true;
}

bool ClassSound::RestoreRawSound(const RawData& raw, int maxChanges) {
    if (raw.size() < static_cast<size_t>(kSize))
        return false;
    const RawData now = EncodeRawSound();
    std::vector<int> changed;
    for (int offset = 0; offset < kSize; ++offset) {
        if ((raw[offset] & 0xFF) != now[offset])
            changed.push_back(offset);
    }
    if (static_cast<int>(changed.size()) > maxChanges)
        return SendSound(raw);
    for (int offset : changed)
        midi_.SendParameter(number_, offset, raw[offset] & 0xFF);
    return DecodeRawSound(raw);
}

std::string ClassSound::Name() const {
    return DisplayName(name_);
}

void ClassSound::SetName(const std::string& text) {
    name_ = NormaliseName(text);
    for (int i = 0; i < kNameBytes; ++i) {
        midi_.SendParameter(number_, kName + i, static_cast<unsigned char>(name_[i]));
    }
    emit DataChanged();
}

void ClassSound::SetAlgorithm(int16_t algorithm) {
    if (!IsAlgorithm(algorithm))
        return;
    const RawData before = EncodeRawSound();
    algorithm_ = algorithm;
    ClearNodes();
    const auto numbers = AlgorithmNodes(algorithm);
    for (size_t j = 0; j < numbers.size(); ++j) {
        nodes_.push_back(MakeNode(static_cast<int>(j), numbers[j]));
        nodes_.back()->DefaultValue();
    }
    // Positions the new algorithm does not use are written as 0; clear those the old one had
    // filled, so that the synth's slot keeps holding exactly what this object encodes.
    for (int offset = NodeFirstByte(static_cast<int>(numbers.size()));
         offset < kNodeBase + kNodeBytes; ++offset) {
        if (before[offset] != 0) {
            midi_.SendParameter(number_, offset, 0);
        }
    }
    midi_.SendParameter(number_, kAlgorithm, algorithm);
    emit DataChanged();
}

void ClassSound::SetTranspose(int16_t transpose) {
    transpose_ = transpose;
    midi_.SendParameter(number_, kTranspose, transpose);
}

void ClassSound::DefaultValues() {
    for (auto& envelope : envelopes_)
        envelope->DefaultValue();
    for (auto& lfo : lfos_)
        lfo->DefaultValue();
    for (auto& modulation : modulations_)
        modulation->DefaultValue();
    SetName("New");
    SetTranspose(0);
    SetAlgorithm(0);
}
