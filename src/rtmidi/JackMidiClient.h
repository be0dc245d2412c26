#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <jack/jack.h>
#include <jack/ringbuffer.h>

// The editor on a JACK server as one client with as many MIDI ports as it opens. Input reaches a
// port's call on JACK's process thread as whole messages; output is queued in a ring of its own
// per port and written in the next cycle, where a message that does not fit this cycle's buffer
// waits for the next one instead of being dropped. The server's port, client and rename
// notifications, and its going away, call `changed` on JACK's notification thread, so nobody has
// to look at the graph on a timer. The client takes part in the server's cycles only while a
// port of its own is open: an editor on the virtual synth is not woken 375 times a second.
class JackMidiClient {
  public:
    // Called on JACK's process thread with one whole message; nothing may be allocated there.
    using MessageCall = std::function<void(const uint8_t* bytes, size_t length)>;

    static constexpr size_t kPorts = 16;
    // Whole messages per output port that may wait for the next cycles.
    static constexpr size_t kOutputRing = 64 * 1024;

    explicit JackMidiClient(std::function<void()> changed);
    ~JackMidiClient();
    JackMidiClient(const JackMidiClient&) = delete;
    JackMidiClient& operator=(const JackMidiClient&) = delete;

    // Connects to a running server (never starts one) and activates. The failure text, empty on
    // success.
    std::string Open(const std::string& clientName);
    // False once the server has gone away: the client and its ports are dead.
    bool Alive() const { return client_ != nullptr && !shutDown_.load(); }
    // Alive, and the server answers a question now (one round trip).
    bool Answers();
    // The client's name as the server made it unique ("NAME" or "NAME-01").
    std::string Name() const;

    // Other clients' MIDI ports ("client:port") that send (sources = true) or receive.
    std::vector<std::string> Ports(bool sources) const;

    // A port of this client connected from the source, or to the destination. Returns the
    // failure text, empty on success; slot is the port's number for Send, Rename and Close.
    std::string OpenInput(const std::string& ownName, const std::string& source, MessageCall call,
                          size_t& slot);
    std::string OpenOutput(const std::string& ownName, const std::string& destination,
                           size_t& slot);
    void Close(size_t slot);
    void Rename(size_t slot, const std::string& ownName);
    // Queues one whole message; the failure text, empty when queued.
    std::string Send(size_t slot, const uint8_t* bytes, size_t length);
    // The messages the port has taken from the server or handed to it: where a message was lost
    // on the way through the graph.
    uint64_t Carried(size_t slot) const;

  private:
    struct Port {
        std::atomic<bool> active{false};
        std::atomic<bool> busy{false};  // the process thread is working on this port
        bool output = false;
        jack_port_t* port = nullptr;
        MessageCall call;
        std::vector<uint8_t> joining;  // a SysEx message that came in several events
        jack_ringbuffer_t* ring = nullptr;
        std::mutex sending;  // one sender at a time into the ring
        // Whole messages taken from the server's buffer (input) or put into it (output) since
        // the port was opened.
        std::atomic<uint64_t> carried{0};
    };

    static int Process(jack_nframes_t frames, void* self);
    static void OnShutdown(jack_status_t code, const char* reason, void* self);
    static void OnPortRegistration(jack_port_id_t port, int registered, void* self);
    static void OnClientRegistration(const char* name, int registered, void* self);
    static void OnPortRename(jack_port_id_t port, const char* oldName, const char* newName,
                             void* self);
    void Read(Port& port, jack_nframes_t frames);
    void Write(Port& port, jack_nframes_t frames);
    std::string Register(const std::string& ownName, bool output, size_t& slot);
    bool AnyPort() const;
    // Takes part in the server's cycles (a process callback) or not; false when the client
    // could not be activated again.
    bool SetProcessing(bool on);
    std::string UniqueName(const std::string& ownName) const;
    // Lets a few cycles pass, so that a new connection carries what is sent next.
    void Settle();
    void Release(Port& port);

    std::function<void()> changed_;
    jack_client_t* client_ = nullptr;
    std::atomic<bool> shutDown_{false};
    bool processing_ = false;  // main thread only
    std::atomic<uint64_t> cycles_{0};
    std::array<Port, kPorts> ports_;
};
