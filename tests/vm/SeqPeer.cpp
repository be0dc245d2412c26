#include "tests/vm/SeqPeer.h"

#include <alsa/asoundlib.h>

SeqPeer::SeqPeer() {
    if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
        seq_ = nullptr;
        return;
    }
    snd_seq_set_client_name(seq_, "ZEL VM Peer");
    const int heard = snd_seq_create_simple_port(
        seq_, "heard", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
        SND_SEQ_PORT_TYPE_APPLICATION);
    snd_seq_connect_from(seq_, heard, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
}

SeqPeer::~SeqPeer() {
    if (seq_ != nullptr)
        snd_seq_close(seq_);
}

std::multimap<std::string, std::set<std::string>> SeqPeer::Clients() const {
    std::multimap<std::string, std::set<std::string>> clients;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq_, client) >= 0) {
        std::set<std::string> ports;
        snd_seq_port_info_set_client(port, snd_seq_client_info_get_client(client));
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq_, port) >= 0) {
            if ((snd_seq_port_info_get_capability(port) & SND_SEQ_PORT_CAP_NO_EXPORT) == 0)
                ports.insert(snd_seq_port_info_get_name(port));
        }
        clients.emplace(snd_seq_client_info_get_name(client), ports);
    }
    return clients;
}

int SeqPeer::MakePort(const char* name) {
    return snd_seq_create_simple_port(seq_, name,
                                      SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                      SND_SEQ_PORT_TYPE_MIDI_GENERIC);
}

void SeqPeer::DeletePort(int port) {
    snd_seq_delete_port(seq_, port);
}

std::pair<int, int> SeqPeer::Announced() {
    std::pair<int, int> counts{0, 0};
    const int self = snd_seq_client_id(seq_);
    snd_seq_event_t* event = nullptr;
    while (snd_seq_event_input(seq_, &event) >= 0 && event != nullptr) {
        if (event->source.client != SND_SEQ_CLIENT_SYSTEM || event->data.addr.client == self)
            continue;
        if (event->type == SND_SEQ_EVENT_CLIENT_START || event->type == SND_SEQ_EVENT_CLIENT_EXIT) {
            ++counts.first;
        } else {
            ++counts.second;
        }
    }
    return counts;
}
