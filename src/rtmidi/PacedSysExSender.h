#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiDriver.h"

// Sends one output port's messages so that a USB MIDI interface behind the ALSA sequencer takes
// them whole. The kernel copies each sequencer event into the interface's 4 KB output buffer
// without waiting and drops what does not fit, so a long SysEx goes out in pieces of kPieceSize
// bytes, each when the cable has carried the bytes before it (the port's wire clock), from a
// thread of its own: the caller's thread never waits the seconds a dump takes. Nothing else goes
// out between the pieces of one SysEx, because any other event on the port would end it early:
// messages given while one is unfinished queue behind it.
class PacedSysExSender {
  public:
    // The size in which the kernel's own MIDI ports hand SysEx over, so a receiving program takes
    // the pieces as it takes a device's.
    static constexpr size_t kPieceSize = 256;
    static constexpr double kWireBytesPerSecond = 3125.0;

    // Sends one event's bytes; returns the failure text, empty when sent. Called with no lock of
    // the caller held, from the caller's thread or the sender's.
    using Send = std::function<std::string(const std::vector<uint8_t>&)>;

    explicit PacedSysExSender(Send send);
    // Drops what waits and stops the thread; every queued header is marked done.
    ~PacedSysExSender();
    PacedSysExSender(const PacedSysExSender&) = delete;
    PacedSysExSender& operator=(const PacedSysExSender&) = delete;

    // Copies the message. A message that needs no pieces and finds nothing waiting goes out at
    // once and its failure, if any, is returned; otherwise it queues, and the header carries
    // HeaderInQueue until its last piece has gone, then HeaderDone. A failure of a queued send is
    // returned by the next call.
    std::string SendLong(MidiHeader& header);
    std::string SendShort(const std::vector<uint8_t>& bytes);
    // Drops every queued message (their headers marked done) and stops a SysEx between pieces.
    void Reset();

  private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Job {
        uint64_t id = 0;
        std::vector<uint8_t> bytes;
        MidiHeader* header = nullptr;
    };

    std::string Submit(std::vector<uint8_t> bytes, MidiHeader* header);
    // Sends and moves the wire clock on by the bytes' time on the cable.
    std::string SendNow(const std::vector<uint8_t>& bytes);
    void Run();
    static void MarkDone(MidiHeader* header);

    Send send_;
    std::mutex mutex_;  // guards everything below but send_
    std::condition_variable wake_;
    std::deque<Job> queue_;  // the front is the one being sent
    uint64_t nextId_ = 1;
    bool stop_ = false;
    std::string queuedError_;
    std::mutex sendMutex_;  // one event at a time on the port; guards wireFree_
    TimePoint wireFree_{};  // when the cable has carried what was sent
    // Declared last so it starts after the members it uses.
    std::thread thread_;
};
