// jack-wire: a JACK MIDI client that copies every event from its input to its output within the
// same process cycle, at the same frame. It adds no latency: it stands in for a direct cable
// where JACK cannot loop a client's output straight back into its own input.
//   jack-wire [client name]

#include <jack/jack.h>
#include <jack/midiport.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
jack_port_t* in = nullptr;
jack_port_t* out = nullptr;
volatile std::sig_atomic_t stopRequested = 0;

int Process(jack_nframes_t frames, void*) {
    void* source = jack_port_get_buffer(in, frames);
    void* target = jack_port_get_buffer(out, frames);
    jack_midi_clear_buffer(target);
    const jack_nframes_t count = jack_midi_get_event_count(source);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, source, i) == 0)
            jack_midi_event_write(target, event.time, event.buffer, event.size);
    }
    return 0;
}

void RequestStop(int) {
    stopRequested = 1;
}
}  // namespace

int main(int argc, char* argv[]) {
    const char* name = argc > 1 ? argv[1] : "jack-wire";
    jack_client_t* client = jack_client_open(name, JackNoStartServer, nullptr);
    if (client == nullptr) {
        std::fprintf(stderr, "jack-wire: no JACK server\n");
        return 1;
    }
    in = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    out = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client, Process, nullptr);
    if (in == nullptr || out == nullptr || jack_activate(client) != 0) {
        std::fprintf(stderr, "jack-wire: cannot set up the ports\n");
        return 1;
    }
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    while (!stopRequested)
        usleep(20000);
    jack_client_close(client);
    return 0;
}
