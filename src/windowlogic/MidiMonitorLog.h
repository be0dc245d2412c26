#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "midi/MidiTap.h"

// The MIDI monitor's list: a row per message with its time, direction, bytes and meaning.
// It keeps at most a limited number of rows (the oldest go first), and takes nothing while
// paused.
class MidiMonitorLog {
  public:
    static constexpr size_t kDefaultLimit = 2000;
    // Bytes shown in the list; a copy holds them all.
    static constexpr size_t kShownBytes = 24;

    struct Row {
        double time;
        bool incoming;
        // The whole length of the message; bytes may hold fewer of them.
        size_t length;
        std::vector<uint8_t> bytes;
        std::string text;
    };

    explicit MidiMonitorLog(size_t limit = kDefaultLimit) : limit_(limit) {}

    // Appends what was seen (relative to start, in seconds); returns how many of the oldest
    // rows went to keep the limit.
    size_t Add(const std::vector<MidiTap::Seen>& seen, double start);
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }
    void Clear() { rows_.clear(); }
    const std::deque<Row>& Rows() const { return rows_; }

    static std::string TimeText(const Row& row);
    static std::string DirectionText(const Row& row);
    // The bytes for the list: the first kShownBytes, then how many more there are.
    static std::string ShownBytes(const Row& row);
    // The row as a line of text with tabs between the columns and every byte.
    static std::string CopyText(const Row& row);

  private:
    size_t limit_;
    bool paused_ = false;
    std::deque<Row> rows_;
};
