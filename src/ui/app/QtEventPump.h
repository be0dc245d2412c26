#pragma once

#include "platform/EventPump.h"

// One pass of pending window events while an exchange waits: windows repaint and timers run, but
// keyboard and mouse input is held back until the exchange ends, so no second exchange can start
// from a click in the middle of one.
class QtEventPump : public EventPump {
  public:
    void ProcessEvents() override;
};
