#include "rtmidi/RtMidiDriver.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "rtmidi/QuietMidiLibraries.h"

namespace {
// Codes of RtMidi's own failures; each distinct message gets one, its text is the message.
constexpr MidiResult kFirstRtMidiCode = 0x1000;
constexpr const char* kOwnInPortName = "in";
constexpr const char* kOwnOutPortName = "out";
// A port that echoes what it is sent: plainly not the cable to a synth.
constexpr const char* kThroughPortName = "Midi Through";

// RtMidi hands JACK messages over through a 16 KiB ring buffer (less its one spare byte and a
// length word) and silently drops any message that cannot fit.
constexpr size_t kJackLargestMessage = 16384 - 1 - sizeof(int);

constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kControlChange = 0xB0;
constexpr uint8_t kAllNotesOff = 123;

std::string Label(RtMidi::Api api) {
    switch (api) {
        case RtMidi::LINUX_ALSA:
            return "ALSA";
        case RtMidi::UNIX_JACK:
            return "JACK";
        default:
            return RtMidi::getApiDisplayName(api);
    }
}

// True for the ports of this program's own clients ("CLIENT:..." or, where JACK made the client
// name unique, "CLIENT-01:..."): offering them would let the editor talk to itself.
bool IsOwnPort(const std::string& port, const std::string& client) {
    if (port.rfind(client, 0) != 0)
        return false;
    size_t at = client.size();
    if (at < port.size() && port[at] == '-') {
        const size_t digits = port.find_first_not_of("0123456789", at + 1);
        if (digits == at + 1 || digits == std::string::npos)
            return false;
        at = digits;
    }
    return at < port.size() && port[at] == ':';
}

// Bytes of a short message by its status byte (0 = not a status byte).
size_t ShortLength(uint8_t status) {
    if (status < 0x80)
        return 0;
    if (status < 0xC0)
        return 3;
    if (status < 0xE0)
        return 2;
    if (status < 0xF0)
        return 3;
    if (status == 0xF1 || status == 0xF3)
        return 2;
    if (status == 0xF2)
        return 3;
    return 1;
}
}  // namespace

// ----------------------------------------------------------------------------------------------
// Error reports

void RtMidiDriver::ErrorTrap::Clear() {
    std::lock_guard<std::mutex> lock(mutex);
    raised = false;
    text.clear();
}

bool RtMidiDriver::ErrorTrap::Take(std::string& message) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!raised)
        return false;
    message = text;
    raised = false;
    return true;
}

void RtMidiDriver::ErrorTrap::OnError(RtMidiError::Type type, const std::string& text, void* trap) {
    // Debug chatter is no failure; warnings are (a send that "could not" did not happen).
    if (type == RtMidiError::DEBUG_WARNING)
        return;
    auto* self = static_cast<ErrorTrap*>(trap);
    std::lock_guard<std::mutex> lock(self->mutex);
    if (!self->raised)
        self->text = text;
    self->raised = true;
}

template <typename Call>
MidiResult RtMidiDriver::Guarded(ErrorTrap& trap, Call call) {
    trap.Clear();
    try {
        call();
    } catch (const RtMidiError& e) {
        return CodeFor(e.getMessage());
    } catch (const std::exception& e) {
        return CodeFor(e.what());
    }
    std::string text;
    if (trap.Take(text))
        return CodeFor(text);
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::CodeFor(const std::string& text) {
    auto known = std::find(errorTexts_.begin(), errorTexts_.end(), text);
    if (known == errorTexts_.end())
        known = errorTexts_.insert(errorTexts_.end(), text);
    return kFirstRtMidiCode + static_cast<MidiResult>(known - errorTexts_.begin());
}

MidiResult RtMidiDriver::ErrorText(MidiResult code, std::string& text, size_t bufferSize) const {
    if (code >= kFirstRtMidiCode && code - kFirstRtMidiCode < errorTexts_.size()) {
        text = errorTexts_[code - kFirstRtMidiCode];
    } else {
        text = StandardMidiErrorText(code);
    }
    text = text.substr(0, bufferSize > 0 ? bufferSize - 1 : 0);
    return text.empty() ? MidiCode::BadDeviceId : MidiCode::NoError;
}

MidiResult RtMidiDriver::InGetErrorText(MidiResult code, std::string& text, size_t bufferSize) {
    return ErrorText(code, text, bufferSize);
}

MidiResult RtMidiDriver::OutGetErrorText(MidiResult code, std::string& text, size_t bufferSize) {
    return ErrorText(code, text, bufferSize);
}

// ----------------------------------------------------------------------------------------------
// APIs and devices

std::vector<std::string> RtMidiDriver::CompiledApis() {
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    std::vector<std::string> names;
    for (RtMidi::Api api : apis) {
        if (api != RtMidi::RTMIDI_DUMMY)
            names.push_back(RtMidi::getApiName(api));
    }
    return names;
}

RtMidiDriver::RtMidiDriver() : RtMidiDriver(CompiledApis()) {}

RtMidiDriver::RtMidiDriver(const std::vector<std::string>& apiNames, std::string clientName)
    : clientName_(std::move(clientName)) {
    std::vector<RtMidi::Api> apis;
    for (const std::string& name : apiNames) {
        const RtMidi::Api api = RtMidi::getCompiledApiByName(name);
        if (api != RtMidi::UNSPECIFIED && api != RtMidi::RTMIDI_DUMMY)
            apis.push_back(api);
    }
    wanted_ = apis;
    Refresh();
    // What changed while the clients started is in the first list already.
    changed_.Take();
}

RtMidiDriver::~RtMidiDriver() {
    // The ports' threads stop before anything they call into goes away.
    for (auto& [handle, port] : inPorts_)
        Shut(*port);
    for (auto& [handle, port] : outPorts_)
        Shut(*port);
    inPorts_.clear();
    outPorts_.clear();
    apis_.clear();
}

std::unique_ptr<RtMidiDriver::Api> RtMidiDriver::StartApi(RtMidi::Api api) {
    auto entry = std::make_unique<Api>();
    entry->api = api;
    entry->label = Label(api);
    if (api == RtMidi::UNIX_JACK) {
        entry->jack = std::make_shared<JackMidiClient>([this] { changed_.Raise(); });
        if (!entry->jack->Open(clientName_).empty())
            return nullptr;
        return entry;
    }
    if (api == RtMidi::LINUX_ALSA) {
        entry->alsa = std::make_shared<AlsaSeqClient>([this] { changed_.Raise(); });
        // A machine without the sequencer is normal and not worth a word.
        QuietMidiLibraries quiet;
        if (!entry->alsa->Open(clientName_, alsaOptions_.inputPool).empty())
            return nullptr;
        return entry;
    }
    return nullptr;
}

std::vector<std::string> RtMidiDriver::StartedApis() const {
    std::vector<std::string> names;
    for (const auto& api : apis_)
        names.push_back(RtMidi::getApiName(api->api));
    return names;
}

void RtMidiDriver::Refresh() {
    // A running client stays: making clients anew on every look would be seen by every other
    // program on the system. A system that was not running is tried again, and one whose
    // server went away (a JACK restart) is dropped and, when the server is back, joined anew.
    std::vector<std::unique_ptr<Api>> running;
    for (RtMidi::Api wanted : wanted_) {
        auto kept = std::find_if(apis_.begin(), apis_.end(), [&](const std::unique_ptr<Api>& a) {
            return a && a->api == wanted && (!a->jack || a->jack->Answers());
        });
        std::unique_ptr<Api> entry = kept != apis_.end() ? std::move(*kept) : StartApi(wanted);
        if (entry)
            running.push_back(std::move(entry));
    }
    apis_ = std::move(running);
    inputs_.clear();
    outputs_.clear();
    std::set<std::string> inNames;
    std::set<std::string> outNames;
    std::set<RtMidi::Api> listedNow;
    // The first API's names stay as they are; a later API's name that is taken gets its label.
    auto distinct = [](std::set<std::string>& taken, const std::string& name,
                       const std::string& label) {
        std::string shown = name;
        if (taken.count(shown))
            shown = name + " (" + label + ")";
        for (int n = 2; taken.count(shown); ++n) {
            shown = name + " (" + label + " " + std::to_string(n) + ")";
        }
        taken.insert(shown);
        return shown;
    };
    for (size_t i = 0; i < apis_.size(); ++i) {
        Api& api = *apis_[i];
        std::vector<std::string> ins;
        std::vector<std::string> outs;
        if (api.jack) {
            ins = api.jack->Ports(true);
            outs = api.jack->Ports(false);
        } else if (api.alsa) {
            ins = api.alsa->Ports(true);
            outs = api.alsa->Ports(false);
        }
        listedNow.insert(api.api);
        for (const std::string& port : ins) {
            if (port.empty() || IsOwnPort(port, clientName_))
                continue;
            inputs_.push_back(
                {i, port, distinct(inNames, port, api.label), MidiCode::TechMidiPort});
        }
        for (const std::string& port : outs) {
            if (port.empty() || IsOwnPort(port, clientName_))
                continue;
            const bool through = port.find(kThroughPortName) != std::string::npos;
            outputs_.push_back({i, port, distinct(outNames, port, api.label),
                                through ? MidiCode::TechMapper : MidiCode::TechMidiPort});
        }
    }
    // A system missing from one look only is not taken as gone; missing from two, it is.
    listingComplete_ =
        std::includes(listedNow.begin(), listedNow.end(), listed_.begin(), listed_.end());
    listed_ = std::move(listedNow);
}

void RtMidiDriver::NamePort(MidiHandle handle, bool input, const std::string& name) {
    if (input) {
        if (InPort* port = FindIn(handle); port != nullptr) {
            if (port->alsa)
                port->alsa->Rename(port->alsaSlot, name);
            if (port->jack)
                port->jack->Rename(port->jackSlot, name);
        }
    } else if (OutPort* port = FindOut(handle); port != nullptr) {
        if (port->alsa)
            port->alsa->Rename(port->alsaSlot, name);
        if (port->jack)
            port->jack->Rename(port->jackSlot, name);
    }
}

uint64_t RtMidiDriver::JackMessagesCarried(MidiHandle handle, bool input) {
    if (input) {
        const InPort* port = FindIn(handle);
        return port != nullptr && port->jack ? port->jack->Carried(port->jackSlot) : 0;
    }
    const OutPort* port = FindOut(handle);
    return port != nullptr && port->jack ? port->jack->Carried(port->jackSlot) : 0;
}

void RtMidiDriver::Shut(InPort& port) {
    // Closing waits for a call in progress: no call back arrives after this.
    if (port.alsa)
        port.alsa->Close(port.alsaSlot);
    if (port.jack)
        port.jack->Close(port.jackSlot);
    port.midi.reset();
}

void RtMidiDriver::Shut(OutPort& port) {
    // What is still being paced out stops before its port goes.
    port.paced.reset();
    if (port.alsa)
        port.alsa->Close(port.alsaSlot);
    if (port.jack)
        port.jack->Close(port.jackSlot);
}

MidiResult RtMidiDriver::InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) {
    if (deviceId >= inputs_.size())
        return MidiCode::BadDeviceId;
    caps.productName = inputs_[deviceId].name;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) {
    if (deviceId >= outputs_.size())
        return MidiCode::BadDeviceId;
    caps.productName = outputs_[deviceId].name;
    caps.technology = outputs_[deviceId].technology;
    return MidiCode::NoError;
}

// ----------------------------------------------------------------------------------------------
// Opening

MidiResult RtMidiDriver::OpenRtMidiIn(const Device& device, InPort& port) {
    {
        QuietMidiLibraries quiet;
        try {
            port.midi = std::make_unique<RtMidiIn>(apis_[device.api]->api, clientName_);
        } catch (const RtMidiError& e) {
            return CodeFor(e.getMessage());
        }
        if (!quiet.FirstMessage().empty())
            return CodeFor(quiet.FirstMessage());
    }
    RtMidiIn& midi = *port.midi;
    midi.setErrorCallback(&ErrorTrap::OnError, &port.trap);
    bool found = false;
    const MidiResult opened = Guarded(port.trap, [&] {
        // Found by name: the numbering may have changed since the list was made.
        for (unsigned n = 0, count = midi.getPortCount(); n < count && !found; ++n) {
            if (midi.getPortName(n) != device.portName)
                continue;
            found = true;
            midi.setCallback(&RtMidiDriver::OnInput, &port);
            midi.ignoreTypes(false, true, true);
            midi.openPort(n, kOwnInPortName);
        }
    });
    if (opened != MidiCode::NoError)
        return opened;
    if (!found)
        return MidiCode::BadDeviceId;
    return MidiCode::NoError;
}

// ----------------------------------------------------------------------------------------------
// Input

RtMidiDriver::InPort* RtMidiDriver::FindIn(MidiHandle handle) {
    auto port = inPorts_.find(handle);
    return port == inPorts_.end() ? nullptr : port->second.get();
}

MidiResult RtMidiDriver::InOpen(MidiHandle& handle, uint32_t deviceId, MidiInProc callback,
                                uint32_t) {
    if (deviceId >= inputs_.size())
        return MidiCode::BadDeviceId;
    const Device& device = inputs_[deviceId];
    auto port = std::make_unique<InPort>();
    port->callback = std::move(callback);
    InPort* raw = port.get();
    const Api& api = *apis_[device.api];
    if (api.jack) {
        raw->jack = api.jack;
        const std::string failed = raw->jack->OpenInput(
            kOwnInPortName, device.portName,
            [raw](const uint8_t* bytes, size_t length) { Deliver(*raw, bytes, length); },
            raw->jackSlot);
        if (!failed.empty())
            return CodeFor(failed);
    }
    const MidiResult opened = api.jack ? MidiCode::NoError
                              : api.alsa && alsaOptions_.ownInput
                                  ? OpenAlsaInput(device, *api.alsa, *raw)
                                  : OpenRtMidiIn(device, *raw);
    if (opened != MidiCode::NoError)
        return opened;
    raw->handle = nextHandle_++;
    handle = raw->handle;
    inPorts_[handle] = std::move(port);
    if (raw->callback)
        raw->callback(handle, MidiCode::InOpen, 0, 0);
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OpenAlsaInput(const Device& device, AlsaSeqClient& alsa, InPort& port) {
    // Registered here: the input's thread must not add texts.
    port.overflowCode = CodeFor(
        "MIDI input overflow: a message arrived faster than it could be taken in and "
        "was lost.");
    InPort* raw = &port;
    alsa.SetInputPool(alsaOptions_.inputPool);
    const std::string failed = alsa.OpenInput(
        kOwnInPortName, device.portName,
        [raw](const uint8_t* bytes, size_t length) { Deliver(*raw, bytes, length); },
        [raw] {
            if (raw->started && raw->callback)
                raw->callback(raw->handle, MidiCode::InLongError, raw->overflowCode, 0);
        },
        port.alsaSlot);
    if (!failed.empty())
        return CodeFor(failed);
    port.alsa = apis_[device.api]->alsa;
    return MidiCode::NoError;
}

void RtMidiDriver::OnInput(double, std::vector<unsigned char>* message, void* userData) {
    if (message != nullptr)
        Deliver(*static_cast<InPort*>(userData), message->data(), message->size());
}

void RtMidiDriver::Deliver(InPort& portRef, const uint8_t* bytes, size_t length) {
    InPort* port = &portRef;
    // A message that arrives at a stopped port is lost, as on a cable.
    if (length == 0 || !port->started || !port->callback)
        return;
    if (bytes[0] != kSysExStart && length <= 3) {
        uint32_t packed = 0;
        for (size_t i = 0; i < length; ++i)
            packed |= uint32_t{bytes[i]} << (8 * i);
        port->callback(port->handle, MidiCode::InData, packed, 0);
        return;
    }
    MidiHeader* header = nullptr;
    {
        std::lock_guard<std::mutex> lock(port->mutex);
        // Too long for the armed buffer, or none armed: the buffer stays where it is.
        if (!port->armed.empty() && length <= port->armed.front()->bufferLength) {
            header = port->armed.front();
            port->armed.pop_front();
            std::memcpy(header->data, bytes, length);
            header->bytesRecorded = static_cast<uint32_t>(length);
        }
    }
    if (header == nullptr) {
        port->callback(port->handle, MidiCode::InLongError, 0, 0);
    } else {
        port->callback(port->handle, MidiCode::InLongData, reinterpret_cast<uintptr_t>(header), 0);
    }
}

MidiResult RtMidiDriver::InStart(MidiHandle handle) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    port->started = true;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InStop(MidiHandle handle) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    port->started = false;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InReset(MidiHandle handle) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    port->started = false;
    std::deque<MidiHeader*> returned;
    {
        std::lock_guard<std::mutex> lock(port->mutex);
        returned.swap(port->armed);
    }
    // Every armed buffer goes back to its owner, marked done.
    for (MidiHeader* header : returned) {
        if (port->callback) {
            port->callback(handle, MidiCode::InLongData, reinterpret_cast<uintptr_t>(header), 0);
        }
    }
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InClose(MidiHandle handle) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    {
        std::lock_guard<std::mutex> lock(port->mutex);
        if (!port->armed.empty())
            return MidiCode::StillPlaying;
    }
    port->started = false;
    Shut(*port);
    if (port->callback)
        port->callback(handle, MidiCode::InClose, 0, 0);
    inPorts_.erase(handle);
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InPrepareHeader(MidiHandle handle, MidiHeader& header) {
    if (FindIn(handle) == nullptr)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::InvalidParameter;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InAddBuffer(MidiHandle handle, MidiHeader& header) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::Unprepared;
    std::lock_guard<std::mutex> lock(port->mutex);
    if (std::find(port->armed.begin(), port->armed.end(), &header) == port->armed.end()) {
        header.bytesRecorded = 0;
        port->armed.push_back(&header);
    }
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::InUnprepareHeader(MidiHandle handle, MidiHeader& header) {
    InPort* port = FindIn(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    std::lock_guard<std::mutex> lock(port->mutex);
    if (std::find(port->armed.begin(), port->armed.end(), &header) != port->armed.end()) {
        return MidiCode::StillPlaying;
    }
    return MidiCode::NoError;
}

// ----------------------------------------------------------------------------------------------
// Output

RtMidiDriver::OutPort* RtMidiDriver::FindOut(MidiHandle handle) {
    auto port = outPorts_.find(handle);
    return port == outPorts_.end() ? nullptr : port->second.get();
}

MidiResult RtMidiDriver::OutOpen(MidiHandle& handle, uint32_t deviceId) {
    if (deviceId >= outputs_.size())
        return MidiCode::BadDeviceId;
    const Device& device = outputs_[deviceId];
    auto port = std::make_unique<OutPort>();
    const Api& api = *apis_[device.api];
    port->api = api.api;
    const std::string failed =
        api.jack   ? api.jack->OpenOutput(kOwnOutPortName, device.portName, port->jackSlot)
        : api.alsa ? api.alsa->OpenOutput(kOwnOutPortName, device.portName, port->alsaSlot)
                   : std::string("The MIDI system has no client.");
    if (!failed.empty())
        return CodeFor(failed);
    port->jack = api.jack;
    port->alsa = api.alsa;
    if (port->alsa && alsaOptions_.sysExPieces) {
        OutPort* raw = port.get();
        port->paced = std::make_unique<PacedSysExSender>(
            [raw](const std::vector<uint8_t>& bytes) { return Send(*raw, bytes); });
    }
    handle = nextHandle_++;
    outPorts_[handle] = std::move(port);
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OutReset(MidiHandle handle) {
    OutPort* port = FindOut(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    // Silences the port: every note on every channel off.
    if (port->paced) {
        port->paced->Reset();
        std::string failed;
        for (uint8_t channel = 0; channel < 16 && failed.empty(); ++channel) {
            failed = port->paced->SendShort(
                {static_cast<uint8_t>(kControlChange | channel), kAllNotesOff, 0});
        }
        return failed.empty() ? MidiCode::NoError : CodeFor(failed);
    }
    std::string failed;
    for (uint8_t channel = 0; channel < 16 && failed.empty(); ++channel) {
        failed =
            Send(*port, {static_cast<unsigned char>(kControlChange | channel), kAllNotesOff, 0});
    }
    return failed.empty() ? MidiCode::NoError : CodeFor(failed);
}

MidiResult RtMidiDriver::OutClose(MidiHandle handle) {
    OutPort* port = FindOut(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    Shut(*port);
    outPorts_.erase(handle);
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OutPrepareHeader(MidiHandle handle, MidiHeader& header) {
    if (FindOut(handle) == nullptr)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::InvalidParameter;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OutLongMsg(MidiHandle handle, MidiHeader& header) {
    OutPort* port = FindOut(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiCode::Unprepared;
    if (port->api == RtMidi::UNIX_JACK && header.bufferLength > kJackLargestMessage) {
        return CodeFor("The message of " + std::to_string(header.bufferLength) +
                       " bytes is longer than JACK can carry in one piece (" +
                       std::to_string(kJackLargestMessage) + " bytes).");
    }
    if (port->paced) {
        const std::string failed = port->paced->SendLong(header);
        return failed.empty() ? MidiCode::NoError : CodeFor(failed);
    }
    // The bytes are copied before this returns, so the caller may free them at once.
    const std::vector<unsigned char> message(header.data, header.data + header.bufferLength);
    const std::string failed = Send(*port, message);
    return failed.empty() ? MidiCode::NoError : CodeFor(failed);
}

MidiResult RtMidiDriver::OutUnprepareHeader(MidiHandle handle, MidiHeader&) {
    if (FindOut(handle) == nullptr)
        return MidiCode::InvalidHandle;
    return MidiCode::NoError;
}

MidiResult RtMidiDriver::OutShortMsg(MidiHandle handle, uint32_t message) {
    OutPort* port = FindOut(handle);
    if (port == nullptr)
        return MidiCode::InvalidHandle;
    const size_t length = ShortLength(static_cast<uint8_t>(message & 0xFF));
    if (length == 0)
        return MidiCode::InvalidParameter;
    std::vector<unsigned char> bytes;
    for (size_t i = 0; i < length; ++i)
        bytes.push_back((message >> (8 * i)) & 0xFF);
    if (port->paced) {
        const std::string failed = port->paced->SendShort(bytes);
        return failed.empty() ? MidiCode::NoError : CodeFor(failed);
    }
    const std::string failed = Send(*port, bytes);
    return failed.empty() ? MidiCode::NoError : CodeFor(failed);
}

std::string RtMidiDriver::Send(OutPort& port, const std::vector<unsigned char>& bytes) {
    if (port.jack)
        return port.jack->Send(port.jackSlot, bytes.data(), bytes.size());
    if (port.alsa)
        return port.alsa->Send(port.alsaSlot, bytes.data(), bytes.size());
    return "The port has no MIDI system.";
}
