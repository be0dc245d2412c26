#include "midi/AuditionLink.h"

#include <pthread.h>
#include <sched.h>

#include "midi/ModuleMIDI.h"
#include "platform/MessageSink.h"

namespace {
constexpr uint32_t kNoteOff = 0x80;
constexpr uint32_t kNoteOn = 0x90;
constexpr uint32_t kSystem = 0xF0;

uint32_t Status(uint32_t message) {
    return message & 0xFF;
}

// Below the MIDI system's own real-time threads, above everything else: on a busy machine a
// note waits for no compiler. Where the system does not allow it, the thread stays as it is.
constexpr int kForwardingPriority = 60;

void AskForRealTime(std::thread& thread) {
    sched_param param{};
    param.sched_priority = kForwardingPriority;
    pthread_setschedparam(thread.native_handle(), SCHED_FIFO, &param);
}
}  // namespace

AuditionLink::AuditionLink(ModuleMIDI& midi) : midi_(midi) {
    noteChannel_.fill(-1);
    thread_ = std::thread([this] { Run(); });
    AskForRealTime(thread_);
}

AuditionLink::~AuditionLink() {
    CloseAuditionIn();
    stop_.store(true);
    arrivals_.fetch_add(1, std::memory_order_release);
    arrivals_.notify_one();
    thread_.join();
}

bool AuditionLink::OpenAuditionIn(int deviceId) {
    CloseAuditionIn();
    if (deviceId < 0)
        return false;
    MidiDriver& driver = midi_.Driver();
    MidiHandle handle = 0;
    const MidiResult result = driver.InOpen(
        handle, static_cast<uint32_t>(deviceId),
        [this](MidiHandle h, uint32_t message, uintptr_t p1, uintptr_t p2) {
            AuditionInCallback(h, message, p1, p2);
        },
        MidiCode::CallbackFunction);
    if (result != MidiCode::NoError) {
        midi_.Messages().Show(midi_.InErrorText(result), "Open Audition In Port",
                              MessageFlags::Exclamation);
        midi_.ProcessEvents();
        return false;
    }
    handle_ = handle;
    driver.NamePort(handle_, true, kPortName);
    driver.InStart(handle_);
    midi_.ProcessEvents();
    return true;
}

void AuditionLink::CloseAuditionIn() {
    if (handle_ == 0)
        return;
    MidiDriver& driver = midi_.Driver();
    driver.InStop(handle_);
    driver.InReset(handle_);
    driver.InClose(handle_);
    handle_ = 0;
}

void AuditionLink::SetInChannel(int channel) {
    if (channel >= 0 && channel <= 15)
        inChannel_.store(channel);
}

void AuditionLink::SetOutChannel(int channel) {
    if (channel >= 0 && channel <= 15)
        outChannel_.store(channel);
}

void AuditionLink::SendNote(int channel, int note, int velocity) {
    const uint32_t message = (kNoteOn | (static_cast<uint32_t>(channel) & 0x0F)) |
                             ((static_cast<uint32_t>(note) & 0x7F) << 8) |
                             ((static_cast<uint32_t>(velocity) & 0x7F) << 16);
    midi_.SendShortMessage(message);
}

void AuditionLink::AuditionInCallback(MidiHandle, uint32_t message, uintptr_t param1, uintptr_t) {
    if (message != MidiCode::InData)
        return;
    queue_.Push(static_cast<uint32_t>(param1));
    arrivals_.fetch_add(1, std::memory_order_release);
    arrivals_.notify_one();
}

void AuditionLink::Run() {
    while (!stop_.load()) {
        // Read before draining: a message queued after the drain changes it, so the wait below
        // returns at once instead of missing that message.
        const uint32_t seen = arrivals_.load(std::memory_order_acquire);
        uint32_t message = 0;
        while (queue_.Pop(message)) {
            Forward(message);
            taken_.fetch_add(1, std::memory_order_release);
        }
        arrivals_.wait(seen, std::memory_order_acquire);
    }
}

void AuditionLink::Forward(uint32_t message) {
    const uint32_t status = Status(message);
    // Only channel messages of the input channel pass; system messages (clock, active sensing)
    // and other channels stay behind.
    if (status < kNoteOff || status >= kSystem ||
        static_cast<int>(status & 0x0F) != inChannel_.load()) {
        return;
    }
    const uint32_t kind = status & 0xF0;
    const uint32_t note = (message >> 8) & 0x7F;
    const bool noteOn = kind == kNoteOn && ((message >> 16) & 0x7F) != 0;
    const bool noteOff = kind == kNoteOff || (kind == kNoteOn && !noteOn);
    int channel = outChannel_.load();
    if (noteOn) {
        noteChannel_[note] = static_cast<int8_t>(channel);
    } else if (noteOff && noteChannel_[note] >= 0) {
        channel = noteChannel_[note];
        noteChannel_[note] = -1;
    }
    const uint32_t remapped = (message & ~0x0Fu) | static_cast<uint32_t>(channel);
    if (midi_.SendShortMessage(remapped))
        forwarded_.fetch_add(1, std::memory_order_release);
}
