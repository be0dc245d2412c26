#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

struct _snd_seq;
struct snd_midi_event;
struct snd_seq_event;

// A MIDI input on the ALSA sequencer through a client of our own, so that its input pool can
// hold a whole dump that arrives in one burst: the kernel hands SysEx over in events of at most
// 256 bytes, each taking 11 cells of the pool, and the default pool of 200 cells takes less
// than 5 KB before the reader runs. Pieces are joined into whole messages on the input's own
// thread. When the kernel reports that the pool overflowed, what was being joined is lost: that
// is reported, and joining starts afresh with the next F0, so no broken message is ever glued to
// the next one.
class AlsaSeqInput {
  public:
    // Cells; the kernel's largest.
    static constexpr int kInputPool = 2000;

    using MessageCall = std::function<void(const std::vector<uint8_t>&)>;
    using OverflowCall = std::function<void()>;

    AlsaSeqInput(MessageCall message, OverflowCall overflow);
    ~AlsaSeqInput();
    AlsaSeqInput(const AlsaSeqInput&) = delete;
    AlsaSeqInput& operator=(const AlsaSeqInput&) = delete;

    // Makes the client and its port, connects the source port ("CLIENT:PORT", the end of the
    // names RtMidi lists) to it and starts reading. Returns the failure text, empty on success.
    std::string Open(const std::string& clientName, const std::string& portName,
                     const std::string& source, int inputPool = kInputPool);

    // The "CLIENT:PORT" numbers at the end of a port name as RtMidi lists ALSA ports.
    static bool ParseAddress(const std::string& name, int& client, int& port);

  private:
    void Run();
    void Take(const snd_seq_event& event);
    void Close();

    MessageCall message_;
    OverflowCall overflow_;
    _snd_seq* seq_ = nullptr;
    snd_midi_event* decoder_ = nullptr;
    int wake_[2] = {-1, -1};
    std::vector<uint8_t> joining_;
    bool lost_ = false;  // the rest of a broken SysEx is still arriving
    std::thread thread_;
};
