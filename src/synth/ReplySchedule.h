#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// When the synth's replies leave it. Without cable speed a reply leaves as soon as its request
// has been taken; at cable speed it leaves once the request and the reply would have crossed a
// MIDI cable (3,125 bytes a second), and replies share the one cable back, one after the other.
class ReplySchedule {
  public:
    using Message = std::vector<uint8_t>;

    void SetCableSpeed(bool on) { cableSpeed_ = on; }
    bool CableSpeed() const { return cableSpeed_; }

    // A request of requestBytes was taken at time now and gave these replies.
    void Add(double now, size_t requestBytes, std::vector<Message> replies);
    // The replies whose time has come, in order; they leave the schedule.
    std::vector<Message> TakeDue(double now);
    // When the next reply falls due; nothing when none waits.
    std::optional<double> NextDue() const;
    size_t Pending() const { return pending_.size(); }

  private:
    struct Entry {
        double due = 0;
        Message bytes;
    };
    std::deque<Entry> pending_;
    bool cableSpeed_ = false;
    // When the cable towards the editor is free again.
    double cableFreeAt_ = 0;
};
