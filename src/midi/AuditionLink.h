#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "midi/MidiDriver.h"
#include "midi/ThruQueue.h"

class ModuleMIDI;

// The audition's way to the synth: notes sent on the synth's output port, and MIDI thru from a
// second input port (an external keyboard). The input callback only queues what arrives; a
// thread of the link's own wakes as soon as a message is queued and forwards the channel
// messages of the input channel, remapped to the output channel, in arrival order. Both go out
// through ModuleMIDI's short-message send, which never runs while a SysEx message is going out.
class AuditionLink {
  public:
    // The name other programs see on the editor's own input port for the keyboard.
    static constexpr const char* kPortName = "audition in";

    explicit AuditionLink(ModuleMIDI& midi);
    // Closes the input first, so no callback arrives while the thread stops.
    ~AuditionLink();
    AuditionLink(const AuditionLink&) = delete;
    AuditionLink& operator=(const AuditionLink&) = delete;

    // Closes the open input (if any) and opens the device. On failure shows the driver's text
    // under "Open Audition In Port" and returns false.
    bool OpenAuditionIn(int deviceId);
    void CloseAuditionIn();
    MidiHandle AuditionInHandle() const { return handle_; }

    // Channels 0..15; values outside are ignored.
    void SetInChannel(int channel);
    void SetOutChannel(int channel);
    int InChannel() const { return inChannel_.load(); }
    int OutChannel() const { return outChannel_.load(); }

    // A note-on (velocity 0: note-off) on the synth's output port; nothing without a port.
    void SendNote(int channel, int note, int velocity);

    // Runs on the driver's thread: queues a short message and wakes the forwarding thread.
    void AuditionInCallback(MidiHandle handle, uint32_t message, uintptr_t param1,
                            uintptr_t param2);

    // Messages taken from the queue; those of them the output port took; messages the full
    // queue dropped.
    uint64_t Forwarded() const { return forwarded_.load(std::memory_order_acquire); }
    uint64_t Taken() const { return taken_.load(std::memory_order_acquire); }
    uint64_t Dropped() const { return queue_.Dropped(); }

  private:
    void Run();
    void Forward(uint32_t message);

    ModuleMIDI& midi_;
    MidiHandle handle_ = 0;
    ThruQueue queue_;
    std::atomic<int> inChannel_{0};
    std::atomic<int> outChannel_{0};
    // Bumped for every queued message; the thread sleeps on it.
    std::atomic<uint32_t> arrivals_{0};
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> forwarded_{0};
    std::atomic<uint64_t> taken_{0};
    // The output channel each input note went out on, so its note-off follows it there even when
    // the output channel changed while the key was held (-1: not sounding). Thread only.
    std::array<int8_t, 128> noteChannel_;
    std::thread thread_;
};
