#include "rtmidi/VirtualZel1Ports.h"

#include <algorithm>
#include <chrono>

#include "platform/Clock.h"
#include "rtmidi/QuietMidiLibraries.h"
#include "synth/VirtualZel1.h"

VirtualZel1Ports::VirtualZel1Ports(VirtualZel1& synth, Clock& clock)
    : synth_(synth), clock_(clock) {}

VirtualZel1Ports::~VirtualZel1Ports() {
    in_.reset();
    out_.reset();
}

bool VirtualZel1Ports::Open(const std::string& api, const std::string& name, std::string& error) {
    in_.reset();
    out_.reset();
    const RtMidi::Api which = RtMidi::getCompiledApiByName(api);
    if (which == RtMidi::UNSPECIFIED) {
        error = "MIDI system \"" + api + "\" is not compiled into RtMidi.";
        return false;
    }
    name_ = name;
    QuietMidiLibraries quiet;
    try {
        auto in = std::make_unique<RtMidiIn>(which, name + " In");
        auto out = std::make_unique<RtMidiOut>(which, name + " Out");
        // A JACK without a server only warns; that is a failure here.
        if (!quiet.FirstMessage().empty()) {
            error = quiet.FirstMessage();
            return false;
        }
        in->setCallback(&VirtualZel1Ports::OnInput, this);
        in->ignoreTypes(false, true, true);
        in->openVirtualPort(kInPortName);
        out->openVirtualPort(kOutPortName);
        if (!quiet.FirstMessage().empty()) {
            error = quiet.FirstMessage();
            return false;
        }
        in_ = std::move(in);
        out_ = std::move(out);
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return false;
    }
    return true;
}

void VirtualZel1Ports::OnInput(double, std::vector<unsigned char>* message, void* self) {
    if (message == nullptr || message->empty())
        return;
    auto* ports = static_cast<VirtualZel1Ports*>(self);
    {
        std::lock_guard<std::mutex> lock(ports->mutex_);
        ports->incoming_.emplace_back(message->begin(), message->end());
    }
    ports->arrived_.notify_one();
}

size_t VirtualZel1Ports::RunOnce(double maxWait) {
    std::deque<std::vector<uint8_t>> taken;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        double wait = maxWait;
        if (auto due = schedule_.NextDue())
            wait = std::clamp(*due - clock_.Now(), 0.0, maxWait);
        if (incoming_.empty() && wait > 0) {
            arrived_.wait_for(lock, std::chrono::duration<double>(wait),
                              [this] { return !incoming_.empty(); });
        }
        taken.swap(incoming_);
    }
    for (const std::vector<uint8_t>& message : taken) {
        if (message[0] == 0xF0) {
            schedule_.Add(clock_.Now(), message.size(), synth_.Receive(message));
        } else {
            uint32_t packed = 0;
            for (size_t i = 0; i < message.size() && i < 3; ++i) {
                packed |= uint32_t{message[i]} << (8 * i);
            }
            synth_.ReceiveShort(packed);
        }
    }
    for (const std::vector<uint8_t>& reply : schedule_.TakeDue(clock_.Now())) {
        if (!out_)
            break;
        try {
            out_->sendMessage(&reply);
        } catch (const RtMidiError& e) {
            sendError_ = e.getMessage();
        }
    }
    return taken.size();
}
