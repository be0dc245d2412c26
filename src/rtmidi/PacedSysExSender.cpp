#include "rtmidi/PacedSysExSender.h"

#include <algorithm>

PacedSysExSender::PacedSysExSender(Send send)
    : send_(std::move(send)), thread_([this] { Run(); }) {}

PacedSysExSender::~PacedSysExSender() {
    Reset();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PacedSysExSender::MarkDone(MidiHeader* header) {
    if (header != nullptr)
        header->flags = (header->flags & ~MidiCode::HeaderInQueue) | MidiCode::HeaderDone;
}

std::string PacedSysExSender::SendLong(MidiHeader& header) {
    header.flags = header.flags & ~(MidiCode::HeaderDone | MidiCode::HeaderInQueue);
    return Submit(std::vector<uint8_t>(header.data, header.data + header.bufferLength), &header);
}

std::string PacedSysExSender::SendShort(const std::vector<uint8_t>& bytes) {
    return Submit(bytes, nullptr);
}

std::string PacedSysExSender::Submit(std::vector<uint8_t> bytes, MidiHeader* header) {
    std::unique_lock<std::mutex> lock(mutex_);
    std::string error;
    error.swap(queuedError_);
    if (queue_.empty() && bytes.size() <= kPieceSize) {
        // Nothing unfinished: the message goes out at once, in the caller's order. The lock stays
        // held so that nothing queued later can overtake it.
        const std::string failed = SendNow(bytes);
        MarkDone(header);
        return failed.empty() ? error : failed;
    }
    if (header != nullptr)
        header->flags = header->flags | MidiCode::HeaderInQueue;
    queue_.push_back({nextId_++, std::move(bytes), header});
    lock.unlock();
    wake_.notify_all();
    return error;
}

std::string PacedSysExSender::SendNow(const std::vector<uint8_t>& bytes) {
    std::lock_guard<std::mutex> lock(sendMutex_);
    const std::string failed = send_(bytes);
    const auto onWire = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(bytes.size() / kWireBytesPerSecond));
    wireFree_ = std::max(wireFree_, std::chrono::steady_clock::now()) + onWire;
    return failed;
}

void PacedSysExSender::Reset() {
    std::deque<Job> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        dropped.swap(queue_);
        for (Job& job : dropped)
            MarkDone(job.header);
    }
    // The thread notices between two pieces that its message is gone.
    wake_.notify_all();
}

void PacedSysExSender::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_)
            return;
        const uint64_t id = queue_.front().id;
        const std::vector<uint8_t> bytes = queue_.front().bytes;
        auto current = [this, id] { return !queue_.empty() && queue_.front().id == id; };
        bool whole = true;
        for (size_t at = 0; at < bytes.size() && whole; at += kPieceSize) {
            TimePoint due;
            {
                std::lock_guard<std::mutex> wire(sendMutex_);
                due = wireFree_;
            }
            wake_.wait_until(lock, due, [&] { return stop_ || !current(); });
            if (stop_ || !current()) {
                whole = false;
                break;
            }
            const size_t length = std::min(kPieceSize, bytes.size() - at);
            const std::vector<uint8_t> piece(bytes.begin() + at, bytes.begin() + at + length);
            lock.unlock();
            std::string failed = SendNow(piece);
            lock.lock();
            if (!failed.empty()) {
                // The rest would make no sense to the receiver without this piece.
                if (queuedError_.empty())
                    queuedError_ = std::move(failed);
                whole = false;
            }
        }
        if (current()) {
            MarkDone(queue_.front().header);
            queue_.pop_front();
        }
    }
}
