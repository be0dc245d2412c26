#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _snd_seq;
struct snd_midi_event;
struct snd_seq_event;

// The editor on the ALSA sequencer as one client with as many ports as it opens, each connected
// to the device it serves. One thread reads everything that reaches the client: the open inputs'
// messages and the system's announcements of clients and ports that come, go or change, which
// call `changed`, so nobody has to look at the sequencer on a timer.
//
// The client's input pool is enlarged so that it can hold a whole dump that arrives in one
// burst: the kernel hands SysEx over in events of at most 256 bytes, each taking 11 cells of the
// pool, and the default pool of 200 cells takes less than 5 KB before the reader runs. Pieces
// are joined into whole messages per input port. When the kernel reports that the pool
// overflowed, what was being joined is lost: every open input is told, and joining starts afresh
// with the next F0, so no broken message is ever glued to the next one.
class AlsaSeqClient {
  public:
    // Cells; the kernel's largest.
    static constexpr int kInputPool = 2000;
    static constexpr size_t kPorts = 16;

    using MessageCall = std::function<void(const uint8_t* bytes, size_t length)>;
    using OverflowCall = std::function<void()>;

    explicit AlsaSeqClient(std::function<void()> changed);
    ~AlsaSeqClient();
    AlsaSeqClient(const AlsaSeqClient&) = delete;
    AlsaSeqClient& operator=(const AlsaSeqClient&) = delete;

    // Makes the client, subscribes it to the system's announcements and starts reading. The
    // failure text, empty on success.
    std::string Open(const std::string& clientName, int inputPool = kInputPool);
    // The input pool for what arrives from now on; what waits in the pool when it changes is lost.
    void SetInputPool(int cells);

    // Other clients' ports that send (sources = true) or receive, named "CLIENT:PORT C:P" as
    // RtMidi's ALSA backend names them, with its choice of ports, so saved names stay valid.
    std::vector<std::string> Ports(bool sources) const;

    // A port of this client connected from the source, or to the destination (names as Ports
    // gives them). Returns the failure text, empty on success; slot is the port's number for
    // Send, Rename and Close. The calls run on the reading thread.
    std::string OpenInput(const std::string& ownName, const std::string& source, MessageCall call,
                          OverflowCall overflow, size_t& slot);
    std::string OpenOutput(const std::string& ownName, const std::string& destination,
                           size_t& slot);
    // No call of the port runs after this returns.
    void Close(size_t slot);
    void Rename(size_t slot, const std::string& ownName);
    // Sends one event's bytes at once: a short message, or a SysEx message or a piece of one.
    // The failure text, empty when sent.
    std::string Send(size_t slot, const uint8_t* bytes, size_t length);

    // The "CLIENT:PORT" numbers at the end of a port name as Ports gives it.
    static bool ParseAddress(const std::string& name, int& client, int& port);

  private:
    struct Port {
        int number = -1;  // the sequencer's port number; -1 while the slot is free
        bool output = false;
        std::string name;
        MessageCall call;
        OverflowCall overflow;
        std::vector<uint8_t> joining;
        bool lost = false;  // the rest of a broken SysEx is still arriving
    };

    void Run();
    void Take(const snd_seq_event& event);
    void Announced(const snd_seq_event& event);
    void Join(Port& port, const snd_seq_event& event);
    void Overflowed();
    std::string MakePort(const std::string& ownName, bool output, size_t& slot);
    std::string UniqueName(const std::string& ownName) const;
    // Waits, a bounded time, until the kernel takes events again; false when it did not.
    bool WaitForRoom();
    void Shut();

    std::function<void()> changed_;
    _snd_seq* seq_ = nullptr;
    int self_ = -1;      // this client's number
    int announce_ = -1;  // the port the announcements reach
    int inputPool_ = 0;
    snd_midi_event* decoder_ = nullptr;  // the reading thread's
    snd_midi_event* encoder_ = nullptr;  // guarded by sending_
    int wake_ = -1;
    mutable std::mutex mutex_;  // guards ports_; held while a port's calls run
    std::array<Port, kPorts> ports_;
    // One event at a time leaves the client. Apart from mutex_, so that an input's call may
    // send (a MIDI thru) without waiting for itself.
    std::mutex sending_;
    std::array<int, kPorts> senders_;  // the output ports' numbers by slot, -1 when none
    // Declared last so it starts after the members it uses.
    std::thread thread_;
};
