#pragma once

// A monotonic clock in seconds. Sleep blocks (or, on a virtual clock, advances) briefly.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
    virtual void Sleep(double seconds) = 0;
};
