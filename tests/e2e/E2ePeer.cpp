// zel_e2e_peer --name NAME MODE_FILE: a ZEL-1 that misbehaves on purpose, on JACK ports named as
// zel1-emulator names its own ("NAME In:MIDI In", "NAME Out:MIDI Out"). Each message it takes
// is answered as the virtual ZEL-1 answers it, in the way the first word of MODE_FILE names at
// that moment:
//   normal   as the synth does
//   cut      a SysEx without its end byte first, then the reply
//   eight    an 8-byte dump (frame, kind, end) instead of the reply
//   late     the reply 6.5 s late
//   foreign  another maker's SysEx first, then the reply
//   clock    the reply with a timing clock sent in its middle
//   silent   nothing at all
// Runs until SIGTERM.

#include <RtMidi.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "synth/VirtualZel1.h"

namespace {
using Bytes = std::vector<unsigned char>;
using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t stopRequested = 0;

struct Inbox {
    std::mutex mutex;
    std::deque<Bytes> messages;
};

struct Outgoing {
    Clock::time_point due;
    Bytes bytes;
};

void OnInput(double, std::vector<unsigned char>* message, void* inbox) {
    if (message == nullptr || message->empty() || (*message)[0] != 0xF0)
        return;
    auto* box = static_cast<Inbox*>(inbox);
    std::lock_guard<std::mutex> lock(box->mutex);
    box->messages.push_back(*message);
}

std::string Mode(const char* path) {
    std::ifstream file(path);
    std::string word = "normal";
    file >> word;
    return word;
}

// The messages to send for one reply, in the given mode, from `now`.
std::vector<Outgoing> Answer(const std::string& mode, const Bytes& reply, Clock::time_point now) {
    using std::chrono::milliseconds;
    if (mode == "silent")
        return {};
    if (mode == "late")
        return {{now + milliseconds(6500), reply}};
    if (mode == "cut")
        return {{now, {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x05}}, {now, reply}};
    if (mode == "foreign") {
        return {{now, {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x00, 0x01, 0x02, 0x03, 0x04, 0xF7}},
                {now, reply}};
    }
    if (mode == "eight")
        return {{now, {0xF0, 0x00, 0x20, 0x08, 0x01, reply[5], reply[6], 0xF7}}};
    if (mode == "clock" && reply.size() > 40) {
        return {{now, Bytes(reply.begin(), reply.begin() + 40)},
                {now, {0xF8}},
                {now, Bytes(reply.begin() + 40, reply.end())}};
    }
    return {{now, reply}};
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4 || std::string(argv[1]) != "--name") {
        std::fprintf(stderr, "usage: zel_e2e_peer --name NAME MODE_FILE\n");
        return 2;
    }
    const std::string name = argv[2];
    const char* modeFile = argv[3];
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::signal(SIGINT, [](int) { stopRequested = 1; });

    VirtualZel1 synth;
    synth.SetAnswersAnyChannel(true);
    Inbox inbox;
    std::deque<Outgoing> outbox;
    try {
        RtMidiIn in(RtMidi::UNIX_JACK, name + " In");
        RtMidiOut out(RtMidi::UNIX_JACK, name + " Out");
        in.setCallback(&OnInput, &inbox);
        in.ignoreTypes(false, true, true);
        in.openVirtualPort("MIDI In");
        out.openVirtualPort("MIDI Out");
        std::printf("zel_e2e_peer: listening as %s\n", name.c_str());
        std::fflush(stdout);

        while (!stopRequested) {
            std::deque<Bytes> taken;
            {
                std::lock_guard<std::mutex> lock(inbox.mutex);
                taken.swap(inbox.messages);
            }
            for (const Bytes& message : taken) {
                const std::string mode = Mode(modeFile);
                for (const Bytes& reply : synth.Receive(message)) {
                    for (Outgoing& o : Answer(mode, reply, Clock::now()))
                        outbox.push_back(std::move(o));
                }
            }
            while (!outbox.empty() && outbox.front().due <= Clock::now()) {
                out.sendMessage(&outbox.front().bytes);
                outbox.pop_front();
                // Separate JACK cycles, as separate bytes on a cable would be.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } catch (const RtMidiError& e) {
        std::fprintf(stderr, "zel_e2e_peer: %s\n", e.getMessage().c_str());
        return 1;
    }
    return 0;
}
