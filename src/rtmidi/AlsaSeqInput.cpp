#include "rtmidi/AlsaSeqInput.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr long kDecodeBuffer = 16;
}  // namespace

AlsaSeqInput::AlsaSeqInput(MessageCall message, OverflowCall overflow)
    : message_(std::move(message)), overflow_(std::move(overflow)) {}

AlsaSeqInput::~AlsaSeqInput() {
    if (thread_.joinable()) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t written = write(wake_[1], &stop, 1);
        thread_.join();
    }
    Close();
}

void AlsaSeqInput::Close() {
    if (decoder_ != nullptr)
        snd_midi_event_free(decoder_);
    decoder_ = nullptr;
    if (seq_ != nullptr)
        snd_seq_close(seq_);
    seq_ = nullptr;
    for (int& fd : wake_) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

bool AlsaSeqInput::ParseAddress(const std::string& name, int& client, int& port) {
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

std::string AlsaSeqInput::Open(const std::string& clientName, const std::string& portName,
                               const std::string& source, int inputPool) {
    int client = 0;
    int port = 0;
    if (!ParseAddress(source, client, port))
        return "The ALSA port \"" + source + "\" has no address.";
    auto failed = [this](const char* what, int code) {
        Close();
        return std::string(what) + ": " + snd_strerror(code);
    };
    int code = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    if (code < 0) {
        seq_ = nullptr;
        return failed("Cannot open the ALSA sequencer", code);
    }
    snd_seq_set_client_name(seq_, clientName.c_str());
    code = snd_seq_set_client_pool_input(seq_, inputPool);
    if (code < 0)
        return failed("Cannot enlarge the ALSA input pool", code);
    const int own = snd_seq_create_simple_port(
        seq_, portName.c_str(), SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (own < 0)
        return failed("Cannot create an ALSA port", own);
    code = snd_seq_connect_from(seq_, own, client, port);
    if (code < 0)
        return failed("Cannot connect the ALSA port", code);
    code = snd_midi_event_new(kDecodeBuffer, &decoder_);
    if (code < 0) {
        decoder_ = nullptr;
        return failed("Cannot make a MIDI decoder", code);
    }
    snd_midi_event_no_status(decoder_, 1);
    if (pipe2(wake_, O_CLOEXEC) != 0)
        return failed("Cannot make a pipe", -errno);
    thread_ = std::thread([this] { Run(); });
    return "";
}

void AlsaSeqInput::Run() {
    const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
    std::vector<pollfd> fds(static_cast<size_t>(count) + 1);
    snd_seq_poll_descriptors(seq_, fds.data(), static_cast<unsigned>(count), POLLIN);
    fds[static_cast<size_t>(count)] = {wake_[0], POLLIN, 0};
    for (;;) {
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;
        if (fds.back().revents != 0)
            return;
        for (;;) {
            snd_seq_event_t* event = nullptr;
            const int read = snd_seq_event_input(seq_, &event);
            if (read == -ENOSPC) {
                // The kernel emptied the pool: a part of what was arriving is gone.
                joining_.clear();
                lost_ = true;
                overflow_();
                continue;
            }
            if (read < 0)
                break;
            if (event != nullptr)
                Take(*event);
        }
    }
}

void AlsaSeqInput::Take(const snd_seq_event& event) {
    if (event.type == SND_SEQ_EVENT_SYSEX) {
        const auto* bytes = static_cast<const uint8_t*>(event.data.ext.ptr);
        const size_t length = event.data.ext.len;
        if (length == 0)
            return;
        if (bytes[0] == kSysExStart) {
            // A new message; one still being joined never ended and is dropped.
            joining_.assign(bytes, bytes + length);
            lost_ = false;
        } else if (lost_ || joining_.empty()) {
            return;
        } else {
            joining_.insert(joining_.end(), bytes, bytes + length);
        }
        if (joining_.back() == kSysExEnd) {
            message_(joining_);
            joining_.clear();
        }
        return;
    }
    // Clock ticks and active sensing are noise to an editor.
    if (event.type == SND_SEQ_EVENT_CLOCK || event.type == SND_SEQ_EVENT_SENSING)
        return;
    unsigned char buffer[kDecodeBuffer];
    snd_midi_event_reset_decode(decoder_);
    const long length = snd_midi_event_decode(decoder_, buffer, kDecodeBuffer, &event);
    if (length > 0)
        message_(std::vector<uint8_t>(buffer, buffer + length));
}
