#pragma once

#include "platform/Clock.h"

// Time that passes only when someone sleeps, so waits in tests cost no real time.
class VirtualClock : public Clock {
  public:
    double Now() const override { return now_; }
    void Sleep(double seconds) override {
        if (seconds > 0)
            now_ += seconds;
    }
    void Advance(double seconds) { Sleep(seconds); }

  private:
    double now_ = 1000.0;
};
