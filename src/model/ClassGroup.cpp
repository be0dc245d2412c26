#include "model/ClassGroup.h"

#include <algorithm>

#include "midi/ModuleMIDI.h"
#include "model/NameRules.h"

ClassGroup::ClassGroup(ModuleMIDI& midi) : midi_(midi) {
    for (int b = 0; b < ClassBank::kBankCount; ++b) {
        banks_[b] = std::make_unique<ClassBank>(midi_, b);
    }
}

bool ClassGroup::HasChanged() const {
    return nameChanged_ || std::any_of(banks_.begin(), banks_.end(),
                                       [](const auto& bank) { return bank->HasChanged(); });
}

void ClassGroup::DefaultValues() {
    for (auto& bank : banks_)
        bank->DefaultValue();
    SetName("New");
}

bool ClassGroup::DecodeRawGroup(const RawData& raw) {
    if (raw.size() < static_cast<size_t>(kRawBytes))
        return false;
    name_.clear();
    for (int i = 0; i < kNameLength; ++i) {
        name_.push_back(static_cast<char>(raw[kNameOffset + i] & 0xFF));
    }
    for (int b = 0; b < ClassBank::kBankCount; ++b)
        banks_[b]->DecodeRaw(raw, b);
    nameChanged_ = false;
    return true;
}

void ClassGroup::EncodeRawGroup(RawData& raw) const {
    if (raw.size() < static_cast<size_t>(kRawBytes))
        raw.resize(kRawBytes);
    std::fill(raw.begin(), raw.begin() + kRawBytes, 0);
    for (int i = 0; i < kNameLength; ++i) {
        const char c = i < static_cast<int>(name_.size()) ? name_[i] : ' ';
        raw[kNameOffset + i] = static_cast<int16_t>(static_cast<unsigned char>(c));
    }
    for (const auto& bank : banks_)
        bank->EncodeRaw(raw);
}

bool ClassGroup::RequestGroup() {
    if (!ValidSlot())
        return false;
    RawData raw;
    if (!midi_.RequestDump(ModuleMIDI::kOneGroup, groupNumber_, kRawBytes, raw))
        return false;
    return DecodeRawGroup(raw);
}

bool ClassGroup::OpenGroup(const RawData& raw) {
    if (!ValidSlot() || raw.size() < static_cast<size_t>(kRawBytes))
        return false;
    midi_.SendData(raw, ModuleMIDI::kOneGroup, groupNumber_);
    if (!midi_.WaitForMessage(true))
        return false;
    return DecodeRawGroup(raw);
}

bool ClassGroup::RestoreRawGroup(const RawData& raw) {
    ClassGroup wanted(midi_);
    if (!wanted.DecodeRawGroup(raw))
        return false;
    for (int b = 0; b < ClassBank::kBankCount; ++b)
        banks_[b]->TakeValues(*wanted.banks_[b]);
    RawData now;
    EncodeRawGroup(now);
    if (!std::equal(raw.begin() + kNameOffset, raw.begin() + kRawBytes, now.begin() + kNameOffset))
        SetName(wanted.name_);
    return true;
}

bool ClassGroup::RefreshSynth() {
    if (!ValidSlot())
        return false;
    RawData raw(kRawBytes);
    EncodeRawGroup(raw);
    midi_.SendData(raw, ModuleMIDI::kOneGroup, groupNumber_);
    return midi_.WaitForMessage(true);
}

std::string ClassGroup::Name() const {
    return DisplayName(name_);
}

void ClassGroup::SetName(const std::string& name) {
    name_ = NormaliseName(name);
    midi_.SendGroupName(name_);
    nameChanged_ = true;
}

ClassBank* ClassGroup::Bank(int index) {
    return index >= 0 && index < ClassBank::kBankCount ? banks_[index].get() : nullptr;
}

const ClassBank* ClassGroup::Bank(int index) const {
    return index >= 0 && index < ClassBank::kBankCount ? banks_[index].get() : nullptr;
}
