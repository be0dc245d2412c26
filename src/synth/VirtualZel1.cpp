#include "synth/VirtualZel1.h"

#include <algorithm>

#include "synth/FactoryContent.h"

namespace {
constexpr uint8_t kId[5] = {0xF0, 0x00, 0x20, 0x08, 0x01};
constexpr int kTypeParameter = 0;
constexpr int kTypeDump = 1;
constexpr int kTypeRequest = 2;
constexpr int kTypeError = 4;
constexpr int kKindSound = 0;
constexpr int kKindAllSounds = 1;
constexpr int kKindGroup = 2;
constexpr int kKindAllGroups = 3;
constexpr int kKindGlobals = 5;
constexpr int kErrorProtected = 0;
constexpr int kErrorChecksum = 1;

constexpr int kAddressSoundHigh = 20;  // sound number + 20: parameters 10 and above
constexpr int kAddressBank = 40;       // 40 + bank: a bank of the selected group
constexpr int kAddressGroupName = 48;
constexpr int kAddressSelectGroup = 50;
constexpr int kGroupNameOffset = 72;

RawData Slice(const RawData& data, size_t start, size_t count) {
    return RawData(data.begin() + start, data.begin() + start + count);
}
}  // namespace

VirtualZel1::VirtualZel1() : globals_(FactoryContent::Globals()) {
    for (int n = 0; n < kAllSounds; ++n)
        sounds_[n] = FactoryContent::Sound(n);
    for (int n = 0; n < kGroups; ++n)
        groups_[n] = FactoryContent::Group(n);
}

RawData VirtualZel1::Sound(int number) const {
    return number >= 0 && number < kAllSounds ? sounds_[number] : RawData{};
}

void VirtualZel1::TakeSound(int number, const RawData& raw) {
    if (number == faults_.ignoresSound)
        return;
    RawData taken = raw;
    const int kept = faults_.ignoresSoundByte;
    if (kept >= 0 && kept < kSoundBytes && number >= 0 && number < kUserSounds &&
        static_cast<size_t>(kept) < taken.size())
        taken[kept] = sounds_[number][kept];
    SetSound(number, taken);
}

void VirtualZel1::SetSound(int number, const RawData& raw) {
    if (number < 0 || number >= kUserSounds || raw.size() != kSoundBytes)
        return;
    sounds_[number] = raw;
}

RawData VirtualZel1::Group(int number) const {
    return number >= 0 && number < kGroups ? groups_[number] : RawData{};
}

void VirtualZel1::SetGroup(int number, const RawData& raw) {
    if (number < 0 || number >= kGroups || raw.size() != kGroupBytes)
        return;
    groups_[number] = raw;
}

void VirtualZel1::SetGlobals(const RawData& raw) {
    if (raw.size() == kGlobalBytes)
        globals_ = raw;
}

int VirtualZel1::SystemChannel() const {
    return IsOmni() ? 0 : std::clamp<int>(globals_[1] - 1, 0, 15);
}

void VirtualZel1::SetSystemChannel(int channel) {
    globals_[1] = static_cast<int16_t>(std::clamp(channel, 0, 15) + 1);
}

void VirtualZel1::SetMemoryProtect(bool on) {
    globals_[2] = on ? 255 : 0;
}

void VirtualZel1::ReceiveShort(uint32_t packed) {
    shortMessages_.push_back(packed);
    if (shortMessages_.size() > kLogShortMessages)
        shortMessages_.pop_front();
}

void VirtualZel1::ClearLog() {
    received_.clear();
    receivedBytes_ = 0;
    shortMessages_.clear();
}

std::vector<VirtualZel1::Message> VirtualZel1::Receive(const Message& m) {
    received_.push_back(m);
    receivedBytes_ += m.size();
    while (receivedBytes_ > kLogBytes && received_.size() > 1) {
        receivedBytes_ -= received_.front().size();
        received_.pop_front();
    }
    if (m.size() < 7 || m.back() != 0xF7 ||
        !std::equal(std::begin(kId), std::end(kId), m.begin())) {
        return {};
    }
    const int type = m[5] >> 4;
    const int channel = m[5] & 0x0F;
    if (!IsOmni() && !answersAnyChannel_ && channel != SystemChannel())
        return {};
    std::vector<Message> replies;
    switch (type) {
        case kTypeRequest:
            replies = HandleRequest(m, channel);
            break;
        case kTypeDump:
            replies = HandleDump(m, channel);
            break;
        case kTypeParameter:
            HandleParameter(m);
            break;
        default:
            break;
    }
    if (faults_.silent)
        replies.clear();
    return replies;
}

std::vector<VirtualZel1::Message> VirtualZel1::HandleRequest(const Message& m, int channel) {
    const int kind = m[6];
    const bool numbered = kind == kKindSound || kind == kKindGroup;
    if (numbered && m.size() < 9)
        return {};
    const int number = numbered ? m[7] : -1;
    RawData payload;
    switch (kind) {
        case kKindSound:
            payload = Sound(number);
            break;
        case kKindAllSounds:
            for (int n = 0; n < kUserSounds; ++n) {
                payload.insert(payload.end(), sounds_[n].begin(), sounds_[n].end());
            }
            break;
        case kKindGroup:
            payload = Group(number);
            break;
        case kKindAllGroups:
            for (const RawData& group : groups_) {
                payload.insert(payload.end(), group.begin(), group.end());
            }
            break;
        case kKindGlobals:
            payload = globals_;
            break;
        default:
            return {};
    }
    if (payload.empty())
        return {};
    return {Dump(kind, number, payload, channel)};
}

std::vector<VirtualZel1::Message> VirtualZel1::HandleDump(const Message& m, int channel) {
    if (m.size() < 10)
        return {};
    const int kind = m[6];
    const size_t count = static_cast<size_t>(m[7]) * 128 + m[8];
    const size_t start = (kind == kKindSound || kind == kKindGroup) ? 10 : 9;
    // The checksum must stand before the end byte, and every nibble must be one.
    bool fits = start + count + 1 < m.size();
    for (size_t i = start; fits && i < start + count; ++i)
        fits = m[i] <= 0x0F;
    if (!fits)
        return {ErrorReply(kErrorChecksum, channel)};
    RawData payload(count / 2);
    int32_t sum = 0;
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<int16_t>(m[start + 2 * i] * 16 + m[start + 2 * i + 1]);
        sum += payload[i];
    }
    if (m[start + count] != (sum & 0x7F))
        return {ErrorReply(kErrorChecksum, channel)};
    if (kind != kKindGlobals && MemoryProtect())
        return {ErrorReply(kErrorProtected, channel)};
    if (faults_.dropDumps)
        return {};

    const int number = start == 10 ? m[9] : -1;
    switch (kind) {
        case kKindSound:
            TakeSound(number, payload);
            break;
        case kKindAllSounds:
            if (payload.size() >= size_t{kUserSounds} * kSoundBytes) {
                for (int n = 0; n < kUserSounds; ++n) {
                    TakeSound(n, Slice(payload, static_cast<size_t>(n) * kSoundBytes, kSoundBytes));
                }
            }
            break;
        case kKindGroup:
            SetGroup(number, payload);
            break;
        case kKindAllGroups:
            if (payload.size() >= size_t{kGroups} * kGroupBytes) {
                for (int n = 0; n < kGroups; ++n) {
                    groups_[n] = Slice(payload, static_cast<size_t>(n) * kGroupBytes, kGroupBytes);
                }
            }
            break;
        case kKindGlobals:
            SetGlobals(payload);
            break;
        default:
            break;
    }
    return {};
}

void VirtualZel1::HandleParameter(const Message& m) {
    if (m.size() != 11)
        return;
    const int address = m[6];
    const int index = m[7];
    const int16_t value = static_cast<int16_t>((m[8] & 0x0F) * 16 + (m[9] & 0x0F));
    if (address < kUserSounds) {
        if (index < 10)
            sounds_[address][index] = value;
    } else if (address < kAddressSoundHigh + kUserSounds) {
        const int offset = index + 10;
        if (offset < kSoundBytes)
            sounds_[address - kAddressSoundHigh][offset] = value;
    } else if (address < kAddressBank + 8) {
        if (index < 9)
            groups_[selectedGroup_][8 * index + (address - kAddressBank)] = value;
    } else if (address == kAddressGroupName) {
        if (index < 10)
            groups_[selectedGroup_][kGroupNameOffset + index] = value;
    } else if (address == kAddressSelectGroup) {
        if (value < kGroups)
            selectedGroup_ = value;
    }
}

VirtualZel1::Message VirtualZel1::Dump(int kind, int number, const RawData& payload,
                                       int channel) const {
    const int replyChannel = faults_.replyOnOtherChannel ? (channel + 1) % 16 : channel;
    const size_t count = payload.size() * 2;
    Message m(std::begin(kId), std::end(kId));
    m.push_back(static_cast<uint8_t>((kTypeDump << 4) | replyChannel));
    m.push_back(static_cast<uint8_t>(kind));
    m.push_back(static_cast<uint8_t>((count / 128) & 0x7F));
    m.push_back(static_cast<uint8_t>(count % 128));
    if (number >= 0)
        m.push_back(static_cast<uint8_t>(number));
    int32_t sum = 0;
    for (int16_t byte : payload) {
        m.push_back(static_cast<uint8_t>((byte >> 4) & 0x0F));
        m.push_back(static_cast<uint8_t>(byte & 0x0F));
        sum += byte & 0xFF;
    }
    uint8_t checksum = static_cast<uint8_t>(sum & 0x7F);
    if (faults_.corruptChecksum)
        checksum = (checksum + 1) & 0x7F;
    m.push_back(checksum);
    if (faults_.cutShort)
        m.resize(m.size() / 2);
    m.push_back(0xF7);
    return m;
}

VirtualZel1::Message VirtualZel1::ErrorReply(int code, int channel) const {
    Message m(std::begin(kId), std::end(kId));
    m.push_back(static_cast<uint8_t>((kTypeError << 4) | channel));
    m.push_back(static_cast<uint8_t>(code));
    m.push_back(0xF7);
    return m;
}

std::vector<uint8_t> VirtualZel1::SaveMemory() const {
    std::vector<uint8_t> block;
    for (int n = 0; n < kUserSounds; ++n) {
        for (int16_t b : sounds_[n])
            block.push_back(static_cast<uint8_t>(b));
    }
    for (const RawData& group : groups_) {
        for (int16_t b : group)
            block.push_back(static_cast<uint8_t>(b));
    }
    for (int16_t b : globals_)
        block.push_back(static_cast<uint8_t>(b));
    return block;
}

bool VirtualZel1::LoadMemory(const std::vector<uint8_t>& block) {
    constexpr size_t kSize =
        size_t{kUserSounds} * kSoundBytes + size_t{kGroups} * kGroupBytes + kGlobalBytes;
    if (block.size() != kSize)
        return false;
    size_t at = 0;
    auto take = [&](size_t count) {
        RawData raw(block.begin() + at, block.begin() + at + count);
        at += count;
        return raw;
    };
    for (int n = 0; n < kUserSounds; ++n)
        sounds_[n] = take(kSoundBytes);
    for (RawData& group : groups_)
        group = take(kGroupBytes);
    globals_ = take(kGlobalBytes);
    return true;
}
