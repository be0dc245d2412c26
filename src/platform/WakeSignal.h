#pragma once

// A flag one thread raises and another sees through a file descriptor that becomes readable, so
// that an event loop can wait for it without looking on a timer. Raising is one system call that
// takes no lock: safe on a MIDI system's notification threads.
class WakeSignal {
  public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    void Raise();
    // True when raised since the last call; lowers it.
    bool Take();
    // Readable while raised; -1 when none could be made.
    int Descriptor() const { return fd_; }

  private:
    int fd_ = -1;
};
