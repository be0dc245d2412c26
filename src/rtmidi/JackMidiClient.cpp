#include "rtmidi/JackMidiClient.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <chrono>
#include <thread>

#include "rtmidi/QuietMidiLibraries.h"

namespace {
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr uint8_t kTimeCode = 0xF1;
constexpr uint8_t kClock = 0xF8;
constexpr uint8_t kActiveSensing = 0xFE;

// Cycles after which a new connection carries for certain, and the longest wait for them (a
// server whose cycles stall must not hold the caller).
constexpr uint64_t kSettleCycles = 4;
constexpr auto kSettleLimit = std::chrono::milliseconds(100);

using Length = uint32_t;
}  // namespace

JackMidiClient::JackMidiClient(std::function<void()> changed) : changed_(std::move(changed)) {}

JackMidiClient::~JackMidiClient() {
    // A client whose server went away is left as it is: libjack crashes closing one once a
    // server of the same name runs again.
    if (client_ != nullptr && !shutDown_.load())
        jack_client_close(client_);
    for (Port& port : ports_) {
        if (port.ring != nullptr)
            jack_ringbuffer_free(port.ring);
    }
}

std::string JackMidiClient::Open(const std::string& clientName) {
    QuietMidiLibraries quiet;
    jack_status_t status{};
    client_ = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (client_ == nullptr)
        return "No JACK server is running.";
    // No process callback while no port is open: the server then leaves the client out of its
    // cycles, and an idle editor costs it nothing.
    jack_on_info_shutdown(client_, &JackMidiClient::OnShutdown, this);
    jack_set_port_registration_callback(client_, &JackMidiClient::OnPortRegistration, this);
    jack_set_client_registration_callback(client_, &JackMidiClient::OnClientRegistration, this);
    jack_set_port_rename_callback(client_, &JackMidiClient::OnPortRename, this);
    if (jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
        return "The JACK client could not be activated.";
    }
    return "";
}

bool JackMidiClient::Answers() {
    if (!Alive())
        return false;
    // A question to the server: it is answered while the server runs. The notice of a server
    // that has just gone may still be on its way.
    char* uuid = jack_get_uuid_for_client_name(client_, jack_get_client_name(client_));
    if (uuid == nullptr) {
        shutDown_.store(true);
        return false;
    }
    jack_free(uuid);
    return true;
}

std::string JackMidiClient::Name() const {
    return client_ == nullptr ? std::string() : std::string(jack_get_client_name(client_));
}

std::vector<std::string> JackMidiClient::Ports(bool sources) const {
    std::vector<std::string> names;
    if (!Alive())
        return names;
    const char** ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE,
                                        sources ? JackPortIsOutput : JackPortIsInput);
    if (ports == nullptr)
        return names;
    for (const char** name = ports; *name != nullptr; ++name) {
        jack_port_t* port = jack_port_by_name(client_, *name);
        if (port != nullptr && !jack_port_is_mine(client_, port))
            names.emplace_back(*name);
    }
    jack_free(ports);
    return names;
}

// ----------------------------------------------------------------------------------------------
// The process thread

int JackMidiClient::Process(jack_nframes_t frames, void* self) {
    auto* client = static_cast<JackMidiClient*>(self);
    for (Port& port : client->ports_) {
        // Announced before the look at active, so Release sees it and waits.
        port.busy.store(true);
        if (port.active.load()) {
            if (port.output) {
                client->Write(port, frames);
            } else {
                client->Read(port, frames);
            }
        }
        port.busy.store(false);
    }
    client->cycles_.fetch_add(1);
    return 0;
}

void JackMidiClient::Read(Port& port, jack_nframes_t frames) {
    void* buffer = jack_port_get_buffer(port.port, frames);
    const uint32_t count = jack_midi_get_event_count(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0)
            continue;
        const uint8_t* bytes = event.buffer;
        const uint8_t first = bytes[0];
        const bool ends = bytes[event.size - 1] == kSysExEnd;
        // Real-time bytes may come between the pieces of a SysEx message.
        const bool realTime = first >= kClock;
        if (!port.joining.empty() && !realTime) {
            if (first < 0x80 || first == kSysExEnd) {
                // Longer than any message an editor takes: dropped rather than grown here,
                // where nothing may wait for memory. Its remaining pieces are stray data.
                if (port.joining.size() + event.size > port.joining.capacity()) {
                    port.joining.clear();
                    continue;
                }
                port.joining.insert(port.joining.end(), bytes, bytes + event.size);
                if (ends) {
                    port.carried.fetch_add(1, std::memory_order_relaxed);
                    port.call(port.joining.data(), port.joining.size());
                    port.joining.clear();
                }
                continue;
            }
            // Another status byte: the message being joined never ended and is dropped.
            port.joining.clear();
        }
        if (first == kSysExStart) {
            if (ends) {
                port.carried.fetch_add(1, std::memory_order_relaxed);
                port.call(bytes, event.size);
            } else if (event.size <= port.joining.capacity()) {
                port.joining.assign(bytes, bytes + event.size);
            }
            continue;
        }
        // Timing and active sensing are noise to an editor; stray data bytes are no message.
        if (first < 0x80 || first == kTimeCode || first == kClock || first == kActiveSensing)
            continue;
        port.carried.fetch_add(1, std::memory_order_relaxed);
        port.call(bytes, event.size);
    }
}

void JackMidiClient::Write(Port& port, jack_nframes_t frames) {
    void* buffer = jack_port_get_buffer(port.port, frames);
    jack_midi_clear_buffer(buffer);
    for (;;) {
        Length length = 0;
        if (jack_ringbuffer_peek(port.ring, reinterpret_cast<char*>(&length), sizeof length) !=
                sizeof length ||
            jack_ringbuffer_read_space(port.ring) < sizeof length + length) {
            return;
        }
        // What does not fit this cycle stays queued for the next.
        jack_midi_data_t* data = jack_midi_event_reserve(buffer, 0, length);
        if (data == nullptr)
            return;
        jack_ringbuffer_read_advance(port.ring, sizeof length);
        jack_ringbuffer_read(port.ring, reinterpret_cast<char*>(data), length);
        port.carried.fetch_add(1, std::memory_order_relaxed);
    }
}

// ----------------------------------------------------------------------------------------------
// Notifications (JACK's own thread)

void JackMidiClient::OnShutdown(jack_status_t, const char*, void* self) {
    auto* client = static_cast<JackMidiClient*>(self);
    client->shutDown_.store(true);
    client->changed_();
}

void JackMidiClient::OnPortRegistration(jack_port_id_t, int, void* self) {
    static_cast<JackMidiClient*>(self)->changed_();
}

void JackMidiClient::OnClientRegistration(const char*, int, void* self) {
    static_cast<JackMidiClient*>(self)->changed_();
}

void JackMidiClient::OnPortRename(jack_port_id_t, const char*, const char*, void* self) {
    static_cast<JackMidiClient*>(self)->changed_();
}

// ----------------------------------------------------------------------------------------------
// Ports

std::string JackMidiClient::UniqueName(const std::string& ownName) const {
    std::string name = ownName;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (const Port& port : ports_) {
            if (port.port != nullptr && jack_port_short_name(port.port) == name)
                taken = true;
        }
        if (!taken)
            return name;
        name = ownName + " " + std::to_string(n);
    }
}

bool JackMidiClient::AnyPort() const {
    for (const Port& port : ports_) {
        if (port.port != nullptr)
            return true;
    }
    return false;
}

bool JackMidiClient::SetProcessing(bool on) {
    // Callbacks are set on an inactive client only; with no port of ours nothing is connected.
    if (client_ == nullptr || processing_ == on)
        return true;
    jack_deactivate(client_);
    jack_set_process_callback(client_, on ? &JackMidiClient::Process : nullptr, this);
    const bool active = jack_activate(client_) == 0;
    processing_ = on && active;
    // Ports that came or went while the client was inactive were not announced to it.
    changed_();
    return active;
}

std::string JackMidiClient::Register(const std::string& ownName, bool output, size_t& slot) {
    if (!Alive())
        return "The JACK server has gone away.";
    for (slot = 0; slot < kPorts && ports_[slot].port != nullptr; ++slot) {
    }
    if (slot == kPorts)
        return "Too many MIDI ports are open on JACK.";
    if (!SetProcessing(true))
        return "The JACK client could not be activated.";
    Port& port = ports_[slot];
    port.port = jack_port_register(client_, UniqueName(ownName).c_str(), JACK_DEFAULT_MIDI_TYPE,
                                   output ? JackPortIsOutput : JackPortIsInput, 0);
    if (port.port == nullptr) {
        if (!AnyPort() && Alive())
            SetProcessing(false);
        return "The JACK port could not be made.";
    }
    port.output = output;
    port.carried.store(0);
    if (output && port.ring == nullptr) {
        port.ring = jack_ringbuffer_create(kOutputRing);
        jack_ringbuffer_mlock(port.ring);
    }
    if (port.ring != nullptr)
        jack_ringbuffer_reset(port.ring);
    return "";
}

std::string JackMidiClient::OpenInput(const std::string& ownName, const std::string& source,
                                      MessageCall call, size_t& slot) {
    const std::string failed = Register(ownName, false, slot);
    if (!failed.empty())
        return failed;
    Port& port = ports_[slot];
    port.call = std::move(call);
    port.joining.clear();
    port.joining.reserve(kOutputRing);
    port.active.store(true);
    if (jack_connect(client_, source.c_str(), jack_port_name(port.port)) != 0) {
        Release(port);
        return "The JACK port \"" + source + "\" could not be connected.";
    }
    Settle();
    return "";
}

std::string JackMidiClient::OpenOutput(const std::string& ownName, const std::string& destination,
                                       size_t& slot) {
    const std::string failed = Register(ownName, true, slot);
    if (!failed.empty())
        return failed;
    Port& port = ports_[slot];
    port.active.store(true);
    if (jack_connect(client_, jack_port_name(port.port), destination.c_str()) != 0) {
        Release(port);
        return "The JACK port \"" + destination + "\" could not be connected.";
    }
    Settle();
    return "";
}

void JackMidiClient::Settle() {
    const uint64_t start = cycles_.load();
    const auto until = std::chrono::steady_clock::now() + kSettleLimit;
    while (Alive() && cycles_.load() - start < kSettleCycles &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void JackMidiClient::Release(Port& port) {
    port.active.store(false);
    while (port.busy.load())
        std::this_thread::yield();
    if (port.port != nullptr && client_ != nullptr)
        jack_port_unregister(client_, port.port);
    port.port = nullptr;
    port.call = nullptr;
    port.joining.clear();
    if (!AnyPort() && Alive())
        SetProcessing(false);
}

void JackMidiClient::Close(size_t slot) {
    if (slot < kPorts)
        Release(ports_[slot]);
}

void JackMidiClient::Rename(size_t slot, const std::string& ownName) {
    if (slot >= kPorts || ports_[slot].port == nullptr || !Alive())
        return;
    if (jack_port_short_name(ports_[slot].port) == ownName)
        return;
    jack_port_rename(client_, ports_[slot].port, UniqueName(ownName).c_str());
}

std::string JackMidiClient::Send(size_t slot, const uint8_t* bytes, size_t length) {
    if (slot >= kPorts || !ports_[slot].active.load() || !ports_[slot].output)
        return "The JACK port is not open.";
    if (!Alive())
        return "The JACK server has gone away.";
    Port& port = ports_[slot];
    const std::lock_guard lock(port.sending);
    const Length size = static_cast<Length>(length);
    if (jack_ringbuffer_write_space(port.ring) < sizeof size + length)
        return "The JACK port's queue is full: the message was not sent.";
    jack_ringbuffer_write(port.ring, reinterpret_cast<const char*>(&size), sizeof size);
    jack_ringbuffer_write(port.ring, reinterpret_cast<const char*>(bytes), length);
    return "";
}

uint64_t JackMidiClient::Carried(size_t slot) const {
    return slot < kPorts ? ports_[slot].carried.load(std::memory_order_relaxed) : 0;
}
