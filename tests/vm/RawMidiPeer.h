#pragma once

#include <fcntl.h>
#include <poll.h>
#include <sound/asound.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "synth/VirtualZel1.h"

// The far end of a cable: a sound card's raw MIDI device, read on a thread of its own. With a
// synth it plays the ZEL-1, answering every whole SysEx it takes as the synth does.
class RawMidiPeer {
  public:
    // cardId as in /proc/asound (the card's id, e.g. "VirMIDI").
    explicit RawMidiPeer(const std::string& cardId, VirtualZel1* synth = nullptr) : synth_(synth) {
        std::ifstream cards("/proc/asound/cards");
        std::string line;
        int card = -1;
        while (std::getline(cards, line)) {
            if (line.find("[" + cardId + " ") != std::string::npos)
                card = std::stoi(line);
        }
        fd_ =
            card < 0 ? -1 : open(("/dev/snd/midiC" + std::to_string(card) + "D0").c_str(), O_RDWR);
        if (fd_ >= 0 && pipe(stop_) == 0)
            thread_ = std::thread([this] { Run(); });
    }
    ~RawMidiPeer() {
        if (thread_.joinable()) {
            [[maybe_unused]] const ssize_t n = write(stop_[1], "x", 1);
            thread_.join();
        }
        if (fd_ >= 0)
            close(fd_);
    }
    bool IsOpen() const { return thread_.joinable(); }

    // All in one write: the bytes leave as fast as the device takes them.
    bool Write(const std::vector<uint8_t>& bytes) {
        std::lock_guard<std::mutex> lock(writeMutex_);
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    // Waits until count bytes have arrived or nothing more arrived for quiet seconds.
    std::vector<uint8_t> Received(size_t count, double quiet) {
        std::unique_lock<std::mutex> lock(mutex_);
        size_t seen = received_.size();
        while (received_.size() < count) {
            arrived_.wait_for(lock, std::chrono::duration<double>(quiet));
            if (received_.size() == seen)
                break;
            seen = received_.size();
        }
        return received_;
    }
    // Forgets what the device has not sent yet: after a receiver's overflow VirMIDI holds the
    // rest of the message back and would send it before anything else.
    void DropUnsent() {
        int stream = SNDRV_RAWMIDI_STREAM_OUTPUT;
        ioctl(fd_, SNDRV_RAWMIDI_IOCTL_DROP, &stream);
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.clear();
    }

  private:
    void Run() {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        std::vector<uint8_t> message;
        uint8_t buffer[1024];
        while (poll(fds, 2, -1) > 0 && fds[1].revents == 0) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                received_.insert(received_.end(), buffer, buffer + n);
            }
            arrived_.notify_all();
            if (synth_ == nullptr)
                continue;
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == 0xF0)
                    message.clear();
                message.push_back(buffer[i]);
                if (buffer[i] != 0xF7 || message.front() != 0xF0)
                    continue;
                for (const VirtualZel1::Message& reply : synth_->Receive(message))
                    Write(reply);
                message.clear();
            }
        }
    }

    VirtualZel1* synth_;
    int fd_ = -1;
    int stop_[2] = {-1, -1};
    std::mutex mutex_;
    std::mutex writeMutex_;
    std::condition_variable arrived_;
    std::vector<uint8_t> received_;
    std::thread thread_;
};
