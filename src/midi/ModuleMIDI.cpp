#include "midi/ModuleMIDI.h"

#include <algorithm>

#include "midi/ModuleGlobals.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/MessageSink.h"

namespace {
constexpr uint8_t kFrameStart = 0xF0;
constexpr uint8_t kFrameEnd = 0xF7;
constexpr uint8_t kFrameId[4] = {0x00, 0x20, 0x08, 0x01};  // manufacturer (3 bytes), product
constexpr int kHeaderBytes = 6;
constexpr int kMinimumReply = 8;
constexpr double kPollInterval = 0.001;
constexpr double kCableBytesPerSecond = 3125.0;

constexpr const char* kTitleExchange = "System Exclusive";
constexpr const char* kTitleExtract = "Extract Data";

// A MIDI stream may carry real-time bytes anywhere, even inside a SysEx, and they belong to no
// message; a start byte inside a message means the message before it was cut off. What is left
// is the last message the bytes hold.
void TakeLastMessage(const uint8_t* bytes, size_t length, std::vector<uint8_t>& message) {
    message.clear();
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] >= 0xF8)
            continue;
        if (bytes[i] == kFrameStart)
            message.clear();
        message.push_back(bytes[i]);
    }
}

const char* RecordName(int kind) {
    return kind == ModuleMIDI::kOneSound ? "sound" : "group";
}

}  // namespace

int ModuleMIDI::DumpBytes(int kind) {
    switch (kind) {
        case ModuleMIDI::kOneSound:
            return 138;
        case ModuleMIDI::kAllSounds:
            return 2760;
        case ModuleMIDI::kOneGroup:
            return 82;
        case ModuleMIDI::kAllGroups:
            return 1640;
        case ModuleMIDI::kGlobals:
            return 7;
        default:
            return -1;
    }
}

namespace {

// Counts the exchanges under way for as long as it lives.
class ExchangeScope {
  public:
    explicit ExchangeScope(int& depth) : depth_(depth) { ++depth_; }
    ~ExchangeScope() { --depth_; }
    ExchangeScope(const ExchangeScope&) = delete;
    ExchangeScope& operator=(const ExchangeScope&) = delete;

  private:
    int& depth_;
};

// Lets the driver deliver what has fallen due, then runs the program's own events.
class ServicingPump : public EventPump {
  public:
    ServicingPump(MidiDriver& driver, EventPump& pump) : driver_(driver), pump_(pump) {}
    void ProcessEvents() override {
        driver_.Service();
        pump_.ProcessEvents();
    }

  private:
    MidiDriver& driver_;
    EventPump& pump_;
};
}  // namespace

ModuleMIDI::ModuleMIDI(MidiDriver& driver, MessageSink& messages, EventPump& pump, Clock& clock)
    : driver_(driver),
      messages_(messages),
      pump_(pump),
      clock_(clock),
      sysExBuffer_(std::make_unique<uint8_t[]>(kBufferLength + 1)) {}

ModuleMIDI::~ModuleMIDI() {
    // The driver holds a callback into this object; it must not outlive the ports.
    CloseInPort();
    CloseOutPort();
}

// ----------------------------------------------------------------------------------------------
// Ports

namespace {
std::string ListedName(std::string name) {
    return name.substr(0, name.find('\0'));
}
}  // namespace

bool ModuleMIDI::OpenInPort(int deviceId, bool report) {
    CloseInPort();
    if (deviceId < 0)
        return false;
    MidiHandle handle = 0;
    MidiResult result = driver_.InOpen(
        handle, static_cast<uint32_t>(deviceId),
        [this](MidiHandle h, uint32_t message, uintptr_t p1, uintptr_t p2) {
            MidiInCallback(h, message, p1, p2);
        },
        MidiCode::CallbackFunction);
    if (result != MidiCode::NoError) {
        midiInHandle_ = 0;
        if (report)
            Say(InErrorText(result), "Open ZEL In Port", MessageFlags::Exclamation);
        return false;
    }
    midiInHandle_ = handle;
    driver_.NamePort(handle, true, kInPortName);
    MidiInCaps caps;
    driver_.InGetDevCaps(static_cast<uint32_t>(deviceId), caps);
    inPortName_ = ListedName(caps.productName);
    ArmInputBuffer();
    driver_.InStart(midiInHandle_);
    return true;
}

bool ModuleMIDI::OpenOutPort(int deviceId, bool report) {
    CloseOutPort();
    if (deviceId < 0)
        return false;
    MidiHandle handle = 0;
    std::unique_lock lock(outPortLock_);
    MidiResult result = driver_.OutOpen(handle, static_cast<uint32_t>(deviceId));
    if (result != MidiCode::NoError) {
        midiOutHandle_ = 0;
        lock.unlock();
        if (report)
            Say(OutErrorText(result), "Open ZEL Out Port", MessageFlags::Exclamation);
        return false;
    }
    midiOutHandle_ = handle;
    driver_.NamePort(handle, false, kOutPortName);
    MidiOutCaps caps;
    driver_.OutGetDevCaps(static_cast<uint32_t>(deviceId), caps);
    outPortName_ = ListedName(caps.productName);
    return true;
}

void ModuleMIDI::ClosePorts() {
    CloseInPort();
    CloseOutPort();
    ProcessEvents();
}

void ModuleMIDI::CloseInPort() {
    if (midiInHandle_ == 0)
        return;
    driver_.InStop(midiInHandle_);
    driver_.InReset(midiInHandle_);
    driver_.InClose(midiInHandle_);
    midiInHandle_ = 0;
    inPortName_.clear();
    // The reset handed back the buffer of the old port; that is no reply.
    SysExReceivedFlag = false;
}

void ModuleMIDI::CloseOutPort() {
    if (midiOutHandle_ == 0)
        return;
    const std::lock_guard lock(outPortLock_);
    driver_.OutReset(midiOutHandle_);
    driver_.OutClose(midiOutHandle_);
    midiOutHandle_ = 0;
    outPortName_.clear();
}

void ModuleMIDI::ForgetHandles() {
    const std::lock_guard lock(outPortLock_);
    midiInHandle_ = 0;
    midiOutHandle_ = 0;
    inPortName_.clear();
    outPortName_.clear();
}

void ModuleMIDI::SetSystemChannel(int channel) {
    systemChannel_ = std::clamp(channel, 0, 15);
}

void ModuleMIDI::ArmInputBuffer() {
    if (midiInHandle_ == 0)
        return;
    driver_.InUnprepareHeader(midiInHandle_, sysExHeader_);
    sysExHeader_.data = sysExBuffer_.get();
    sysExHeader_.bufferLength = kBufferLength;
    sysExHeader_.bytesRecorded = 0;
    sysExHeader_.flags = 0;
    driver_.InPrepareHeader(midiInHandle_, sysExHeader_);
    driver_.InAddBuffer(midiInHandle_, sysExHeader_);
}

void ModuleMIDI::MidiInCallback(MidiHandle, uint32_t message, uintptr_t param1, uintptr_t) {
    MidiInFlag = true;
    if (message == MidiCode::InLongData) {
        if (tap_.Watching()) {
            tap_.PutIncoming(clock_.Now(), sysExBuffer_.get(),
                             std::min<uint32_t>(sysExHeader_.bytesRecorded, kBufferLength));
        }
        SysExReceivedFlag = true;
    } else if (message == MidiCode::InData && tap_.Watching()) {
        const uint8_t packed[3] = {static_cast<uint8_t>(param1 & 0xFF),
                                   static_cast<uint8_t>((param1 >> 8) & 0xFF),
                                   static_cast<uint8_t>((param1 >> 16) & 0xFF)};
        tap_.PutIncoming(clock_.Now(), packed, ShortMessageLength(packed[0]));
    }
    if (message == MidiCode::InLongError && param1 != 0)
        InputError = static_cast<MidiResult>(param1);
}

std::string ModuleMIDI::InErrorText(MidiResult code) {
    std::string text;
    if (driver_.InGetErrorText(code, text, MidiCode::ErrorTextSize) != MidiCode::NoError)
        return "";
    return StripAtNul(text);
}

std::string ModuleMIDI::OutErrorText(MidiResult code) {
    std::string text;
    if (driver_.OutGetErrorText(code, text, MidiCode::ErrorTextSize) != MidiCode::NoError) {
        return "";
    }
    return StripAtNul(text);
}

bool ModuleMIDI::SendSysEx(int messageType, const RawData& data, int length) {
    if (midiOutHandle_ == 0)
        return false;
    length = std::clamp(length, 0, static_cast<int>(data.size()));
    std::vector<uint8_t> buffer;
    buffer.reserve(length + 7);
    buffer.push_back(kFrameStart);
    buffer.insert(buffer.end(), std::begin(kFrameId), std::end(kFrameId));
    buffer.push_back(static_cast<uint8_t>(((messageType & 0x07) << 4) | (systemChannel_ & 0x0F)));
    // A data byte with bit 7 set would end the message early at the synth.
    for (int i = 0; i < length; ++i)
        buffer.push_back(static_cast<uint8_t>(data[i] & 0x7F));
    buffer.push_back(kFrameEnd);

    // Nothing goes to the driver before the message before it has left the cable: a wait for a
    // refusal that input cut short must not let a parameter change overtake the dump it follows
    // in a driver's or a server's queue.
    if (clock_.Now() < sentThrough_)
        Delay(sentThrough_ - clock_.Now());
    if (midiOutHandle_ == 0)
        return false;

    MidiHeader header;
    header.data = buffer.data();
    header.bufferLength = static_cast<uint32_t>(buffer.size());
    header.flags = 0;
    std::unique_lock lock(outPortLock_);
    MidiResult prepared = driver_.OutPrepareHeader(midiOutHandle_, header);
    if (prepared != MidiCode::NoError) {
        lock.unlock();
        Say(OutErrorText(prepared), "ZEL Data Out", MessageFlags::Exclamation);
        return false;
    }
    // What failed to arrive before this message is no answer to it.
    InputError = 0;
    const double handedAt = clock_.Now();
    MidiResult sent = driver_.OutLongMsg(midiOutHandle_, header);
    const bool ok = sent == MidiCode::NoError;
    if (ok)
        tap_.PutOutgoing(clock_.Now(), buffer.data(), buffer.size());
    // The pause runs events, which may send notes themselves.
    lock.unlock();
    if (ok) {
        WaitUntilSent(header);
        // A driver that paced the message itself has already spent its cable time.
        sentThrough_ = std::max(handedAt + buffer.size() / kCableBytesPerSecond, clock_.Now());
    }
    Delay(kSendPause);
    if (!ok) {
        Say(OutErrorText(sent), "ZEL Data Out", MessageFlags::Exclamation);
    } else {
        SysExSentFlag = true;
    }
    // The port may have been closed by an event handler during the pause.
    lock.lock();
    if (midiOutHandle_ != 0)
        driver_.OutUnprepareHeader(midiOutHandle_, header);
    return ok;
}

bool ModuleMIDI::SendShortMessage(uint32_t message) {
    const std::lock_guard lock(outPortLock_);
    if (midiOutHandle_ == 0)
        return false;
    if (driver_.OutShortMsg(midiOutHandle_, message) != MidiCode::NoError)
        return false;
    // Notes, the thru and All Notes Off are part of what the synth was sent.
    if (!tap_.Watching())
        return true;
    const uint8_t bytes[3] = {static_cast<uint8_t>(message & 0xFF),
                              static_cast<uint8_t>((message >> 8) & 0xFF),
                              static_cast<uint8_t>((message >> 16) & 0xFF)};
    tap_.PutOutgoing(clock_.Now(), bytes, ShortMessageLength(bytes[0]));
    return true;
}

// ----------------------------------------------------------------------------------------------
// Exchange

void ModuleMIDI::DiscardWaitingInput() {
    driver_.Service();
    if (SysExReceivedFlag.exchange(false))
        ArmInputBuffer();
}

void ModuleMIDI::SendRequest(int kind, int number) {
    DiscardWaitingInput();
    RawData data{static_cast<int16_t>(kind)};
    if (number >= 0)
        data.push_back(static_cast<int16_t>(number));
    SendSysEx(kRequest, data, static_cast<int>(data.size()));
}

void ModuleMIDI::SendData(const RawData& data, int kind, int number) {
    DiscardWaitingInput();
    const int n = 2 * static_cast<int>(data.size());
    const int h = number < 0 ? 3 : 4;
    RawData message(h + n + 1);
    message[0] = static_cast<int16_t>(kind);
    message[1] = static_cast<int16_t>((n / 128) & 0x7F);
    message[2] = static_cast<int16_t>(n % 128);
    if (h == 4)
        message[3] = static_cast<int16_t>(number);
    int32_t sum = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        const int value = data[i] & 0xFF;
        message[h + 2 * i] = static_cast<int16_t>((value & 0xF0) / 16);
        message[h + 2 * i + 1] = static_cast<int16_t>(value & 0x0F);
        sum += value;
    }
    message[h + n] = static_cast<int16_t>(sum & 0x7F);
    SendSysEx(kDump, message, h + n + 1);
}

void ModuleMIDI::ParameterChange(int address, int index, int value) {
    const int byte = ByteFromSigned(static_cast<int16_t>(value)) & 0xFF;
    RawData data{static_cast<int16_t>(address), static_cast<int16_t>(index),
                 static_cast<int16_t>(byte / 16), static_cast<int16_t>(byte % 16)};
    SendSysEx(kParameterChange, data, 4);
}

void ModuleMIDI::SendParameter(int address, int index, int value) {
    if (index >= 10) {
        ParameterChange(address + 20, index - 10, value);
    } else {
        ParameterChange(address, index, value);
    }
}

void ModuleMIDI::SendBankParameter(int bank, int index, int value) {
    ParameterChange(40 + bank, index, value);
}

void ModuleMIDI::SendGroupName(const std::string& name) {
    for (int position = 0; position < 10; ++position) {
        const int code = position < static_cast<int>(name.size())
                             ? static_cast<unsigned char>(name[position])
                             : ' ';
        ParameterChange(48, position, code);
    }
}

void ModuleMIDI::SendParameter50(int value) {
    ParameterChange(50, 0, value);
}

int ModuleMIDI::Say(const std::string& text, const std::string& title, int flags) {
    // The box belongs to the exchange: a window closed meanwhile would pull the windows and
    // ports from under the command that waits for it.
    ExchangeScope scope(exchangeDepth_);
    return messages_.Show(text, title, flags);
}

bool ModuleMIDI::Reject(const char* text, int flags) {
    Say(text, kTitleExchange, flags);
    return false;
}

bool ModuleMIDI::WaitForFlag(double seconds) {
    ExchangeScope scope(exchangeDepth_);
    ServicingPump pump(driver_, pump_);
    // No reply can come before the message that asks for it has left the cable.
    const double deadline = std::max(clock_.Now(), sentThrough_) + seconds;
    auto done = [this] { return SysExReceivedFlag || InputError != 0; };
    while (clock_.Now() < deadline) {
        if (done())
            return true;
        pump.ProcessEvents();
        if (done())
            return true;
        clock_.Sleep(kPollInterval);
    }
    return done();
}

void ModuleMIDI::WaitUntilSent(MidiHeader& header) {
    if ((header.flags & MidiCode::HeaderInQueue) == 0)
        return;
    ExchangeScope scope(exchangeDepth_);
    ServicingPump pump(driver_, pump_);
    // Twice the cable's time, and then some: past that the driver is stuck, and the reset hands
    // the header back.
    const double deadline =
        clock_.Now() + 2.0 * header.bufferLength / kCableBytesPerSecond + kReplyTimeout;
    while ((header.flags & MidiCode::HeaderInQueue) != 0) {
        if (midiOutHandle_ == 0 || clock_.Now() >= deadline) {
            // A closed port handed it back already; a stuck one does so now.
            if (midiOutHandle_ != 0)
                driver_.OutReset(midiOutHandle_);
            return;
        }
        pump.ProcessEvents();
        clock_.Sleep(kPollInterval);
    }
}

bool ModuleMIDI::WaitForMessage(bool allowSilence) {
    if (midiInHandle_ == 0) {
        return Reject("Invalid MIDI port. Check port settings.", MessageFlags::Information);
    }
    if (!WaitForFlag(allowSilence ? kSilenceWindow : kReplyTimeout)) {
        if (allowSilence)
            return true;
        return Reject("Timeout waiting for message from ZEL-1", MessageFlags::Critical);
    }
    if (const MidiResult failed = InputError.exchange(0); failed != 0 && !SysExReceivedFlag) {
        const std::string text = InErrorText(failed);
        return Reject(text.empty() ? "MIDI input error" : text.c_str(), MessageFlags::Critical);
    }
    TakeReceived();

    const std::vector<uint8_t>& m = received_;
    if (m.size() < kMinimumReply) {
        return Reject("Expected message is too short", MessageFlags::Critical);
    }
    if (m.back() != kFrameEnd || m[0] != kFrameStart) {
        return Reject("Message is not system exclusive data", MessageFlags::Critical);
    }
    if (!std::equal(std::begin(kFrameId), std::end(kFrameId), m.begin() + 1)) {
        return Reject("Invalid manufacturer or product ID", MessageFlags::Critical);
    }
    const int type = m[5] >> 4;
    if (type == kErrorReply) {
        if (m[6] == 0) {
            return Reject("Cannot write to ZEL-1 as memory protect is ON",
                          MessageFlags::Exclamation);
        }
        return Reject("Checksum mismatch", MessageFlags::Critical);
    }
    if ((m[5] & 0x0F) != systemChannel_) {
        return Reject("Mismatching system channels", MessageFlags::Exclamation);
    }
    return true;
}

void ModuleMIDI::TakeReceived() {
    SysExReceivedFlag = false;
    const uint32_t length = std::min<uint32_t>(sysExHeader_.bytesRecorded, kBufferLength);
    TakeLastMessage(sysExBuffer_.get(), length, received_);
    ArmInputBuffer();
}

bool ModuleMIDI::RequestDump(int kind, int number, size_t minimumBytes, RawData& data) {
    SendRequest(kind, number);
    if (!WaitForMessage(false))
        return false;
    // Another kind, or too little of it, is left for the caller to report.
    RawData payload;
    if (ExtractData(payload) != kind)
        return false;
    if ((kind == kOneSound || kind == kOneGroup) && received_[9] != number) {
        const std::string text = std::string("Received ") + RecordName(kind) + " " +
                                 std::to_string(received_[9]) + " instead of " + RecordName(kind) +
                                 " " + std::to_string(number);
        Say(text, kTitleExtract, MessageFlags::Critical);
        return false;
    }
    if (payload.size() < minimumBytes)
        return false;
    data = std::move(payload);
    return true;
}

int ModuleMIDI::ExtractData(RawData& data) {
    const std::vector<uint8_t>& m = received_;
    // A kind byte of 128 or more is no data byte: the message is broken.
    if (m.size() < kMinimumReply || (m[5] >> 4) != kDump || m[6] > 0x7F) {
        Say("Unknown message recieved", kTitleExtract, MessageFlags::Critical);
        return -1;
    }
    const int kind = m[6];
    const size_t start = (kind == kOneSound || kind == kOneGroup) ? 10 : 9;
    // The count's two bytes, and the number byte where the kind has one, must be there.
    const size_t count = start <= m.size() ? static_cast<size_t>(m[7]) * 128 + m[8] : 0;
    // The checksum byte must be the one before the end byte, the payload must be exactly what
    // the kind holds, and every nibble must be one.
    const int expected = DumpBytes(kind);
    bool fits = start <= m.size() && start + count + 2 == m.size() && count % 2 == 0 &&
                (expected < 0 || count == static_cast<size_t>(expected) * 2);
    for (size_t i = start; fits && i < start + count; ++i)
        fits = m[i] <= 0x0F;
    if (!fits) {
        Say("Checksum error", kTitleExtract, MessageFlags::Critical);
        return -1;
    }
    RawData payload(count / 2);
    int32_t sum = 0;
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<int16_t>(m[start + 2 * i] * 16 + m[start + 2 * i + 1]);
        sum += payload[i];
    }
    if (m[start + count] != (sum & 0x7F)) {
        Say("Checksum error", kTitleExtract, MessageFlags::Critical);
        return -1;
    }
    data = std::move(payload);
    return kind;
}

void ModuleMIDI::Delay(double seconds) {
    ExchangeScope scope(exchangeDepth_);
    ServicingPump pump(driver_, pump_);
    ::Delay(static_cast<float>(seconds), pump, clock_);
}

void ModuleMIDI::ProcessEvents() {
    driver_.Service();
    pump_.ProcessEvents();
}
