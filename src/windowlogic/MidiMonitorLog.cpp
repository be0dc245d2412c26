#include "windowlogic/MidiMonitorLog.h"

#include <cstdio>

#include "windowlogic/MidiMessageText.h"

size_t MidiMonitorLog::Add(const std::vector<MidiTap::Seen>& seen, double start) {
    if (paused_)
        return 0;
    for (const MidiTap::Seen& message : seen) {
        std::string text = MidiMessageText(message.bytes);
        if (message.dropped > 0)
            text = std::to_string(message.dropped) + " messages not shown (too many at once)";
        else if (message.length > message.bytes.size())
            text = "Too long to show whole, " + std::to_string(message.length) + " bytes";
        rows_.push_back({message.time - start, message.direction == MidiTap::Direction::In,
                         message.length, message.bytes, std::move(text)});
    }
    size_t dropped = 0;
    while (rows_.size() > limit_) {
        rows_.pop_front();
        ++dropped;
    }
    return dropped;
}

std::string MidiMonitorLog::TimeText(const Row& row) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", row.time);
    return text;
}

std::string MidiMonitorLog::DirectionText(const Row& row) {
    return row.incoming ? "In" : "Out";
}

std::string MidiMonitorLog::ShownBytes(const Row& row) {
    if (row.bytes.size() <= kShownBytes)
        return MidiMessageHex(row.bytes);
    const std::vector<uint8_t> first(row.bytes.begin(),
                                     row.bytes.begin() + static_cast<ptrdiff_t>(kShownBytes));
    return MidiMessageHex(first) + " ... (" + std::to_string(row.length) + " bytes)";
}

std::string MidiMonitorLog::CopyText(const Row& row) {
    return TimeText(row) + '\t' + DirectionText(row) + '\t' + MidiMessageHex(row.bytes) + '\t' +
           row.text;
}
