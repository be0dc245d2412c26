#include "rtmidi/AlsaSeqClient.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

namespace {
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr long kCoderBuffer = 16;
// How long a send waits for the kernel to take events again before it is given up.
constexpr int kRoomWaitMs = 2000;
// How long a new connection to a device settles before anything is sent on it.
constexpr auto kConnectionSettle = std::chrono::milliseconds(50);

std::string Failure(const char* what, int code) {
    return std::string(what) + ": " + snd_strerror(code);
}
}  // namespace

AlsaSeqClient::AlsaSeqClient(std::function<void()> changed) : changed_(std::move(changed)) {
    senders_.fill(-1);
}

AlsaSeqClient::~AlsaSeqClient() {
    if (thread_.joinable()) {
        const uint64_t stop = 1;
        [[maybe_unused]] const ssize_t written = write(wake_, &stop, sizeof stop);
        thread_.join();
    }
    Shut();
}

void AlsaSeqClient::Shut() {
    if (decoder_ != nullptr)
        snd_midi_event_free(decoder_);
    decoder_ = nullptr;
    if (encoder_ != nullptr)
        snd_midi_event_free(encoder_);
    encoder_ = nullptr;
    // Closing the client deletes its ports and ends its connections.
    if (seq_ != nullptr)
        snd_seq_close(seq_);
    seq_ = nullptr;
    if (wake_ >= 0)
        close(wake_);
    wake_ = -1;
}

bool AlsaSeqClient::ParseAddress(const std::string& name, int& client, int& port) {
    const size_t space = name.rfind(' ');
    const std::string address = name.substr(space == std::string::npos ? 0 : space + 1);
    const size_t colon = address.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= address.size())
        return false;
    if (address.find_first_not_of("0123456789:") != std::string::npos)
        return false;
    client = std::atoi(address.substr(0, colon).c_str());
    port = std::atoi(address.substr(colon + 1).c_str());
    return true;
}

std::string AlsaSeqClient::Open(const std::string& clientName, int inputPool) {
    auto failed = [this](const char* what, int code) {
        Shut();
        return Failure(what, code);
    };
    int code = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK);
    if (code < 0) {
        seq_ = nullptr;
        return failed("Cannot open the ALSA sequencer", code);
    }
    snd_seq_set_client_name(seq_, clientName.c_str());
    self_ = snd_seq_client_id(seq_);
    code = snd_seq_set_client_pool_input(seq_, inputPool);
    if (code < 0)
        return failed("Cannot enlarge the ALSA input pool", code);
    inputPool_ = inputPool;
    // A port nobody else may connect to: it only hears what the system announces.
    announce_ = snd_seq_create_simple_port(seq_, "announcements",
                                           SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                           SND_SEQ_PORT_TYPE_APPLICATION);
    if (announce_ < 0)
        return failed("Cannot create an ALSA port", announce_);
    code =
        snd_seq_connect_from(seq_, announce_, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    if (code < 0)
        return failed("Cannot follow the ALSA announcements", code);
    code = snd_midi_event_new(kCoderBuffer, &decoder_);
    if (code < 0) {
        decoder_ = nullptr;
        return failed("Cannot make a MIDI decoder", code);
    }
    snd_midi_event_no_status(decoder_, 1);
    code = snd_midi_event_new(kCoderBuffer, &encoder_);
    if (code < 0) {
        encoder_ = nullptr;
        return failed("Cannot make a MIDI encoder", code);
    }
    wake_ = eventfd(0, EFD_CLOEXEC);
    if (wake_ < 0)
        return failed("Cannot make an event descriptor", -errno);
    thread_ = std::thread([this] { Run(); });
    return "";
}

void AlsaSeqClient::SetInputPool(int cells) {
    if (seq_ == nullptr || cells == inputPool_)
        return;
    if (snd_seq_set_client_pool_input(seq_, cells) >= 0)
        inputPool_ = cells;
}

// ----------------------------------------------------------------------------------------------
// Listing

std::vector<std::string> AlsaSeqClient::Ports(bool sources) const {
    std::vector<std::string> names;
    if (seq_ == nullptr)
        return names;
    const unsigned wanted = sources ? SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ
                                    : SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    const unsigned kinds =
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_SYNTH | SND_SEQ_PORT_TYPE_APPLICATION;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq_, client) >= 0) {
        const int number = snd_seq_client_info_get_client(client);
        if (number == SND_SEQ_CLIENT_SYSTEM || number == self_)
            continue;
        snd_seq_port_info_set_client(port, number);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq_, port) >= 0) {
            if ((snd_seq_port_info_get_type(port) & kinds) == 0)
                continue;
            if ((snd_seq_port_info_get_capability(port) & wanted) != wanted)
                continue;
            std::ostringstream name;
            name << snd_seq_client_info_get_name(client) << ':' << snd_seq_port_info_get_name(port)
                 << ' ' << number << ':' << snd_seq_port_info_get_port(port);
            names.push_back(name.str());
        }
    }
    return names;
}

// ----------------------------------------------------------------------------------------------
// Ports

std::string AlsaSeqClient::UniqueName(const std::string& ownName) const {
    std::string name = ownName;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (const Port& port : ports_) {
            if (port.number >= 0 && port.name == name)
                taken = true;
        }
        if (!taken)
            return name;
        name = ownName + " " + std::to_string(n);
    }
}

std::string AlsaSeqClient::MakePort(const std::string& ownName, bool output, size_t& slot) {
    if (seq_ == nullptr)
        return "The ALSA sequencer is not open.";
    const std::lock_guard lock(mutex_);
    for (slot = 0; slot < kPorts && ports_[slot].number >= 0; ++slot) {
    }
    if (slot == kPorts)
        return "Too many MIDI ports are open on ALSA.";
    const std::string name = UniqueName(ownName);
    const unsigned caps = output ? SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ
                                 : SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    const int number = snd_seq_create_simple_port(
        seq_, name.c_str(), caps, SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (number < 0)
        return Failure("Cannot create an ALSA port", number);
    Port& port = ports_[slot];
    port.number = number;
    port.output = output;
    port.name = name;
    port.joining.clear();
    port.lost = false;
    return "";
}

std::string AlsaSeqClient::OpenInput(const std::string& ownName, const std::string& source,
                                     MessageCall call, OverflowCall overflow, size_t& slot) {
    int client = 0;
    int number = 0;
    if (!ParseAddress(source, client, number))
        return "The ALSA port \"" + source + "\" has no address.";
    const std::string failed = MakePort(ownName, false, slot);
    if (!failed.empty())
        return failed;
    int own = 0;
    {
        const std::lock_guard lock(mutex_);
        ports_[slot].call = std::move(call);
        ports_[slot].overflow = std::move(overflow);
        own = ports_[slot].number;
    }
    const int code = snd_seq_connect_from(seq_, own, client, number);
    if (code < 0) {
        Close(slot);
        return Failure("Cannot connect the ALSA port", code);
    }
    return "";
}

std::string AlsaSeqClient::OpenOutput(const std::string& ownName, const std::string& destination,
                                      size_t& slot) {
    int client = 0;
    int number = 0;
    if (!ParseAddress(destination, client, number))
        return "The ALSA port \"" + destination + "\" has no address.";
    const std::string failed = MakePort(ownName, true, slot);
    if (!failed.empty())
        return failed;
    const int own = ports_[slot].number;
    const int code = snd_seq_connect_to(seq_, own, client, number);
    if (code < 0) {
        Close(slot);
        return Failure("Cannot connect the ALSA port", code);
    }
    // The kernel's USB MIDI path drops what is written the moment its port has been opened for
    // this connection (a dump's first piece went missing about one time in four): the first
    // message waits a moment, as on JACK until a new connection carries.
    std::this_thread::sleep_for(kConnectionSettle);
    const std::lock_guard lock(sending_);
    senders_[slot] = own;
    return "";
}

void AlsaSeqClient::Close(size_t slot) {
    if (slot >= kPorts)
        return;
    const std::lock_guard lock(mutex_);
    Port& port = ports_[slot];
    if (port.number < 0)
        return;
    {
        const std::lock_guard sending(sending_);
        senders_[slot] = -1;
    }
    snd_seq_delete_port(seq_, port.number);
    port = Port{};
}

void AlsaSeqClient::Rename(size_t slot, const std::string& ownName) {
    if (slot >= kPorts)
        return;
    const std::lock_guard lock(mutex_);
    Port& port = ports_[slot];
    if (port.number < 0 || port.name == ownName)
        return;
    snd_seq_port_info_t* info = nullptr;
    snd_seq_port_info_alloca(&info);
    if (snd_seq_get_port_info(seq_, port.number, info) < 0)
        return;
    const std::string name = UniqueName(ownName);
    snd_seq_port_info_set_name(info, name.c_str());
    if (snd_seq_set_port_info(seq_, port.number, info) >= 0)
        port.name = name;
}

// ----------------------------------------------------------------------------------------------
// Output

std::string AlsaSeqClient::Send(size_t slot, const uint8_t* bytes, size_t length) {
    const std::lock_guard lock(sending_);
    const int number = slot < kPorts ? senders_[slot] : -1;
    if (number < 0)
        return "The ALSA port is not open.";
    if (length == 0)
        return "";
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_source(&event, number);
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    // A SysEx message or a piece of one (what follows its first piece starts with data bytes)
    // goes as it is; the kernel's MIDI devices write it out byte for byte.
    if (bytes[0] == kSysExStart || bytes[0] == kSysExEnd || bytes[0] < 0x80) {
        snd_seq_ev_set_sysex(&event, static_cast<unsigned>(length), const_cast<uint8_t*>(bytes));
    } else {
        snd_midi_event_reset_encode(encoder_);
        const long used = snd_midi_event_encode(encoder_, bytes, static_cast<long>(length), &event);
        if (used != static_cast<long>(length) || event.type == SND_SEQ_EVENT_NONE)
            return "The MIDI message could not be put into an ALSA event.";
    }
    for (;;) {
        const int code = snd_seq_event_output_direct(seq_, &event);
        if (code >= 0)
            return "";
        if (code != -EAGAIN)
            return Failure("The ALSA sequencer did not take the message", code);
        if (!WaitForRoom())
            return "The ALSA sequencer took no message for two seconds: the message was not sent.";
    }
}

bool AlsaSeqClient::WaitForRoom() {
    const int count = snd_seq_poll_descriptors_count(seq_, POLLOUT);
    std::vector<pollfd> fds(static_cast<size_t>(count));
    snd_seq_poll_descriptors(seq_, fds.data(), static_cast<unsigned>(count), POLLOUT);
    int ready = 0;
    do {
        ready = poll(fds.data(), fds.size(), kRoomWaitMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// ----------------------------------------------------------------------------------------------
// The reading thread

void AlsaSeqClient::Run() {
    const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
    std::vector<pollfd> fds(static_cast<size_t>(count) + 1);
    snd_seq_poll_descriptors(seq_, fds.data(), static_cast<unsigned>(count), POLLIN);
    fds[static_cast<size_t>(count)] = {wake_, POLLIN, 0};
    for (;;) {
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        if (fds.back().revents != 0)
            return;
        for (;;) {
            snd_seq_event_t* event = nullptr;
            const int read = snd_seq_event_input(seq_, &event);
            if (read == -ENOSPC) {
                Overflowed();
                continue;
            }
            if (read < 0)
                break;
            if (event != nullptr)
                Take(*event);
        }
    }
}

void AlsaSeqClient::Overflowed() {
    // The kernel emptied the pool: a part of what was arriving is gone, on any of the inputs.
    const std::lock_guard lock(mutex_);
    for (Port& port : ports_) {
        if (port.number < 0 || port.output)
            continue;
        port.joining.clear();
        port.lost = true;
        if (port.overflow)
            port.overflow();
    }
}

void AlsaSeqClient::Take(const snd_seq_event& event) {
    if (event.dest.port == announce_) {
        Announced(event);
        return;
    }
    const std::lock_guard lock(mutex_);
    for (Port& port : ports_) {
        if (port.number == event.dest.port && !port.output && port.number >= 0) {
            Join(port, event);
            return;
        }
    }
}

void AlsaSeqClient::Announced(const snd_seq_event& event) {
    switch (event.type) {
        case SND_SEQ_EVENT_CLIENT_START:
        case SND_SEQ_EVENT_CLIENT_EXIT:
        case SND_SEQ_EVENT_CLIENT_CHANGE:
        case SND_SEQ_EVENT_PORT_START:
        case SND_SEQ_EVENT_PORT_EXIT:
        case SND_SEQ_EVENT_PORT_CHANGE:
            // Our own ports are not in the list: their coming and going changes nothing.
            if (event.data.addr.client != self_ && changed_)
                changed_();
            break;
        default:
            break;
    }
}

void AlsaSeqClient::Join(Port& port, const snd_seq_event& event) {
    if (!port.call)
        return;
    if (event.type == SND_SEQ_EVENT_SYSEX) {
        const auto* bytes = static_cast<const uint8_t*>(event.data.ext.ptr);
        const size_t length = event.data.ext.len;
        if (length == 0)
            return;
        if (bytes[0] == kSysExStart) {
            // A new message; one still being joined never ended and is dropped.
            port.joining.assign(bytes, bytes + length);
            port.lost = false;
        } else if (port.lost || port.joining.empty()) {
            return;
        } else {
            port.joining.insert(port.joining.end(), bytes, bytes + length);
        }
        if (port.joining.back() == kSysExEnd) {
            port.call(port.joining.data(), port.joining.size());
            port.joining.clear();
        }
        return;
    }
    // Clock ticks and active sensing are noise to an editor.
    if (event.type == SND_SEQ_EVENT_CLOCK || event.type == SND_SEQ_EVENT_SENSING)
        return;
    unsigned char buffer[kCoderBuffer];
    snd_midi_event_reset_decode(decoder_);
    const long length = snd_midi_event_decode(decoder_, buffer, kCoderBuffer, &event);
    if (length > 0)
        port.call(buffer, static_cast<size_t>(length));
}
