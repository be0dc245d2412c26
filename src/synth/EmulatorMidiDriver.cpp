#include "synth/EmulatorMidiDriver.h"

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"

EmulatorMidiDriver::EmulatorMidiDriver(Clock& clock) : clock_(clock) {}

EmulatorMidiDriver::~EmulatorMidiDriver() = default;

MidiResult EmulatorMidiDriver::InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) {
    if (deviceId != 0)
        return MidiCode::BadDeviceId;
    caps.productName = kDeviceName;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) {
    if (deviceId != 0)
        return MidiCode::BadDeviceId;
    caps.productName = kDeviceName;
    caps.technology = MidiCode::TechMidiPort;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InOpen(MidiHandle& handle, uint32_t deviceId, MidiInProc callback,
                                      uint32_t) {
    if (deviceId != 0)
        return MidiCode::BadDeviceId;
    if (inOpen_)
        return MidiCode::Allocated;
    inOpen_ = true;
    inStarted_ = false;
    callback_ = std::move(callback);
    handle = kInHandle;
    if (callback_)
        callback_(kInHandle, MidiCode::InOpen, 0, 0);
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InStart(MidiHandle handle) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    inStarted_ = true;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InStop(MidiHandle handle) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    inStarted_ = false;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InReset(MidiHandle handle) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    inStarted_ = false;
    // Every armed buffer goes back to its owner, marked done.
    while (!armed_.empty()) {
        MidiHeader* header = armed_.front();
        armed_.pop_front();
        if (callback_) {
            callback_(kInHandle, MidiCode::InLongData, reinterpret_cast<uintptr_t>(header), 0);
        }
    }
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InClose(MidiHandle handle) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    if (!armed_.empty())
        return MidiCode::StillPlaying;
    if (callback_)
        callback_(kInHandle, MidiCode::InClose, 0, 0);
    inOpen_ = false;
    inStarted_ = false;
    callback_ = nullptr;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InPrepareHeader(MidiHandle handle, MidiHeader& header) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::InvalidParameter;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InAddBuffer(MidiHandle handle, MidiHeader& header) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::Unprepared;
    if (std::find(armed_.begin(), armed_.end(), &header) == armed_.end()) {
        header.bytesRecorded = 0;
        armed_.push_back(&header);
    }
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InUnprepareHeader(MidiHandle handle, MidiHeader& header) {
    if (!inOpen_ || handle != kInHandle)
        return MidiCode::InvalidHandle;
    if (std::find(armed_.begin(), armed_.end(), &header) != armed_.end()) {
        return MidiCode::StillPlaying;
    }
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::InGetErrorText(MidiResult code, std::string& text,
                                              size_t bufferSize) {
    text = StandardMidiErrorText(code).substr(0, bufferSize > 0 ? bufferSize - 1 : 0);
    return text.empty() ? MidiCode::BadDeviceId : MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutOpen(MidiHandle& handle, uint32_t deviceId) {
    if (deviceId != 0)
        return MidiCode::BadDeviceId;
    if (outOpen_)
        return MidiCode::Allocated;
    outOpen_ = true;
    handle = kOutHandle;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutReset(MidiHandle handle) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    for (const Sending& message : sending_)
        message.header->flags = MidiCode::HeaderDone;
    sending_.clear();
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutClose(MidiHandle handle) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    OutReset(handle);
    outOpen_ = false;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutPrepareHeader(MidiHandle handle, MidiHeader& header) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr)
        return MidiCode::InvalidParameter;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutLongMsg(MidiHandle handle, MidiHeader& header) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr)
        return MidiCode::Unprepared;
    const bool hadWork = ServicePending();
    std::vector<uint8_t> message(header.data, header.data + header.bufferLength);
    schedule_.Add(clock_.Now(), message.size(), synth_.Receive(message));
    if (pacedSend_) {
        const double start = std::max(clock_.Now(), sendingUntil_);
        sendingUntil_ = start + VirtualZel1::CableSeconds(message.size());
        sending_.push_back({sendingUntil_, &header});
        header.flags = MidiCode::HeaderInQueue;
    }
    Scheduled(hadWork);
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutUnprepareHeader(MidiHandle handle, MidiHeader&) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutShortMsg(MidiHandle handle, uint32_t message) {
    if (!outOpen_ || handle != kOutHandle)
        return MidiCode::InvalidHandle;
    synth_.ReceiveShort(message);
    return MidiCode::NoError;
}

MidiResult EmulatorMidiDriver::OutGetErrorText(MidiResult code, std::string& text,
                                               size_t bufferSize) {
    return InGetErrorText(code, text, bufferSize);
}

void EmulatorMidiDriver::Inject(const std::vector<uint8_t>& message, double delaySeconds) {
    const bool hadWork = ServicePending();
    schedule_.Add(clock_.Now() + delaySeconds, 0, {message});
    Scheduled(hadWork);
}

void EmulatorMidiDriver::InjectShort(uint32_t packed) {
    std::vector<uint8_t> message{static_cast<uint8_t>(packed & 0xFF),
                                 static_cast<uint8_t>((packed >> 8) & 0xFF),
                                 static_cast<uint8_t>((packed >> 16) & 0xFF)};
    const bool hadWork = ServicePending();
    schedule_.Add(clock_.Now(), 0, {message});
    Scheduled(hadWork);
}

void EmulatorMidiDriver::Scheduled(bool hadWork) {
    if (!hadWork && ServicePending() && workNotice_)
        workNotice_();
}

namespace {
// A channel message of one to three bytes; anything else travels in the SysEx buffer.
bool IsShortMessage(const std::vector<uint8_t>& message) {
    return !message.empty() && message.size() <= 3 && message[0] >= 0x80 && message[0] < 0xF0;
}
}  // namespace

void EmulatorMidiDriver::Service() {
    while (!sending_.empty() && sending_.front().done <= clock_.Now()) {
        sending_.front().header->flags = MidiCode::HeaderDone;
        sending_.pop_front();
    }
    for (const std::vector<uint8_t>& message : schedule_.TakeDue(clock_.Now()))
        Deliver(message);
}

void EmulatorMidiDriver::Deliver(const std::vector<uint8_t>& message) {
    // A message that arrives at a closed or stopped port is lost, as on a cable.
    if (!inOpen_ || !inStarted_ || !callback_)
        return;
    if (IsShortMessage(message)) {
        uint32_t packed = 0;
        for (size_t i = 0; i < message.size() && i < 3; ++i)
            packed |= uint32_t{message[i]} << (8 * i);
        callback_(kInHandle, MidiCode::InData, packed, 0);
        return;
    }
    if (armed_.empty() || message.size() > armed_.front()->bufferLength) {
        callback_(kInHandle, MidiCode::InLongError, 0, 0);
        return;
    }
    MidiHeader* header = armed_.front();
    armed_.pop_front();
    if (!message.empty()) {
        std::memcpy(header->data, message.data(), message.size());
    }
    header->bytesRecorded = static_cast<uint32_t>(message.size());
    callback_(kInHandle, MidiCode::InLongData, reinterpret_cast<uintptr_t>(header), 0);
}
