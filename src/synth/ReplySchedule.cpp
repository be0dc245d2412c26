#include "synth/ReplySchedule.h"

#include <algorithm>

#include "synth/VirtualZel1.h"

void ReplySchedule::Add(double now, size_t requestBytes, std::vector<Message> replies) {
    const double arrival = cableSpeed_ ? now + VirtualZel1::CableSeconds(requestBytes) : now;
    for (Message& reply : replies) {
        Entry entry;
        entry.due = arrival;
        if (cableSpeed_) {
            entry.due = std::max(arrival, cableFreeAt_) + VirtualZel1::CableSeconds(reply.size());
            cableFreeAt_ = entry.due;
        }
        entry.bytes = std::move(reply);
        pending_.push_back(std::move(entry));
    }
}

std::vector<ReplySchedule::Message> ReplySchedule::TakeDue(double now) {
    std::vector<Message> due;
    while (!pending_.empty() && pending_.front().due <= now) {
        due.push_back(std::move(pending_.front().bytes));
        pending_.pop_front();
    }
    return due;
}

std::optional<double> ReplySchedule::NextDue() const {
    if (pending_.empty())
        return std::nullopt;
    return pending_.front().due;
}
