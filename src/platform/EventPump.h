#pragma once

#include <functional>

// "Process pending window events once". The windows' pump repaints and runs timers but holds
// user input back, so no second exchange can start while one is waiting.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
};

// A pump made of a function: for tests and for programs without windows.
class FunctionEventPump : public EventPump {
  public:
    explicit FunctionEventPump(std::function<void()> step = {}) : step_(std::move(step)) {}
    void ProcessEvents() override {
        if (step_)
            step_();
    }
    void SetStep(std::function<void()> step) { step_ = std::move(step); }

  private:
    std::function<void()> step_;
};
