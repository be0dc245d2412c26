#pragma once

#include "platform/Clock.h"

class SteadyClock : public Clock {
  public:
    double Now() const override;
    void Sleep(double seconds) override;
};
