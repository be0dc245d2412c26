#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

struct _snd_seq;

// Another program on the sequencer: it looks at the clients and ports there are, makes ports of
// its own, and counts what the system announces about clients other than itself.
class SeqPeer {
  public:
    SeqPeer();
    ~SeqPeer();
    SeqPeer(const SeqPeer&) = delete;
    SeqPeer& operator=(const SeqPeer&) = delete;
    bool IsOpen() const { return seq_ != nullptr; }

    // The ports others may connect to, by client name.
    std::multimap<std::string, std::set<std::string>> Clients() const;
    // A port others may read from; its number, negative on failure.
    int MakePort(const char* name);
    void DeletePort(int port);
    // What was announced about other clients since the last call: (clients that started or
    // exited, everything else).
    std::pair<int, int> Announced();

  private:
    _snd_seq* seq_ = nullptr;
};
