#pragma once

#include <RtMidi.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "synth/ReplySchedule.h"

class Clock;
class VirtualZel1;

// Puts a virtual ZEL-1 on real MIDI ports: a virtual input port other programs send to (the
// synth's MIDI In) and a virtual output port they listen to (its MIDI Out). RtMidi's thread only
// queues what arrives; the synth itself runs on the thread that calls RunOnce.
class VirtualZel1Ports {
  public:
    static constexpr const char* kInPortName = "MIDI In";
    static constexpr const char* kOutPortName = "MIDI Out";

    VirtualZel1Ports(VirtualZel1& synth, Clock& clock);
    ~VirtualZel1Ports();
    VirtualZel1Ports(const VirtualZel1Ports&) = delete;
    VirtualZel1Ports& operator=(const VirtualZel1Ports&) = delete;

    // Opens both ports through the API ("jack", "alsa") under the name; on failure gives
    // RtMidi's reason and leaves nothing open.
    bool Open(const std::string& api, const std::string& name, std::string& error);
    bool IsOpen() const { return out_ != nullptr; }
    // Client and port names as other programs see them ("NAME In:MIDI In").
    std::string InPortName() const { return name_ + " In:" + kInPortName; }
    std::string OutPortName() const { return name_ + " Out:" + kOutPortName; }

    void SetCableSpeed(bool on) { schedule_.SetCableSpeed(on); }

    // Hands what has arrived to the synth and sends the replies that are due, after waiting up
    // to maxWait seconds for something to do. Returns the number of messages taken.
    size_t RunOnce(double maxWait);
    // The last failure to send a reply (empty if none).
    const std::string& SendError() const { return sendError_; }

  private:
    static void OnInput(double timeStamp, std::vector<unsigned char>* message, void* self);

    VirtualZel1& synth_;
    Clock& clock_;
    ReplySchedule schedule_;
    std::string name_;
    std::string sendError_;
    std::mutex mutex_;  // guards incoming_
    std::condition_variable arrived_;
    std::deque<std::vector<uint8_t>> incoming_;
    // Declared last so they close first: the input thread calls into the members above.
    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<RtMidiIn> in_;
};
