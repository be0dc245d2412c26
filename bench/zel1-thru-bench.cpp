// zel1-thru-bench: the editor's MIDI thru alone on real ports, for measuring what it adds to the
// latency. It opens the named output device as the synth's output port and the named input
// device as the audition input, forwards channel 1 to channel 1, and runs until interrupted;
// then it prints how many messages its input port took from the server, the link took and
// forwarded (and dropped), and its output port handed to the server.
//   zel1-thru-bench <api: jack|alsa> <input device> <output device>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "cli/StreamMessageSink.h"
#include "midi/AuditionLink.h"
#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"

namespace {
volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

template <typename Count, typename Caps>
int FindDevice(const std::string& name, Count count, Caps caps) {
    for (uint32_t id = 0; id < count(); ++id) {
        std::string product;
        if (caps(id, product) && product == name)
            return static_cast<int>(id);
    }
    return -1;
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: zel1-thru-bench <jack|alsa> <input device> <output device>\n");
        return 2;
    }
    RtMidiDriver driver({argv[1]}, "zel1-thru");
    const int in = FindDevice(
        argv[2], [&] { return driver.InGetNumDevs(); },
        [&](uint32_t id, std::string& name) {
            MidiInCaps caps;
            const bool ok = driver.InGetDevCaps(id, caps) == MidiCode::NoError;
            name = caps.productName;
            return ok;
        });
    const int out = FindDevice(
        argv[3], [&] { return driver.OutGetNumDevs(); },
        [&](uint32_t id, std::string& name) {
            MidiOutCaps caps;
            const bool ok = driver.OutGetDevCaps(id, caps) == MidiCode::NoError;
            name = caps.productName;
            return ok;
        });
    if (in < 0 || out < 0) {
        std::fprintf(stderr, "zel1-thru-bench: device not found (input %d, output %d)\n", in, out);
        return 1;
    }
    SteadyClock clock;
    FunctionEventPump pump;
    StreamMessageSink messages(std::cerr);
    ModuleMIDI midi(driver, messages, pump, clock);
    AuditionLink link(midi);
    // The input first: a peer that starts sending once both connections exist finds the thru
    // already listening.
    if (!link.OpenAuditionIn(in) || !midi.OpenOutPort(out))
        return 1;
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::printf("ready\n");
    std::fflush(stdout);
    while (!stopRequested)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // What the ports took from the server and handed to it, around what the link forwarded:
    // a message missing from both ends was lost in the server's graph, not here.
    const auto received = driver.JackMessagesCarried(link.AuditionInHandle(), true);
    const auto sent = driver.JackMessagesCarried(midi.MidiOutHandle(), false);
    link.CloseAuditionIn();
    std::printf("port in %llu, taken %llu, forwarded %llu, dropped %llu, port out %llu\n",
                static_cast<unsigned long long>(received),
                static_cast<unsigned long long>(link.Taken()),
                static_cast<unsigned long long>(link.Forwarded()),
                static_cast<unsigned long long>(link.Dropped()),
                static_cast<unsigned long long>(sent));
    return 0;
}
