#pragma once

// Sets a window's refreshing flag for one scope, so control handlers that run while the window
// copies model values into its controls only update the display. Nested guards restore the
// flag they found.
class RefreshGuard {
  public:
    explicit RefreshGuard(bool& refreshing) : flag_(refreshing), before_(refreshing) {
        flag_ = true;
    }
    ~RefreshGuard() { flag_ = before_; }
    RefreshGuard(const RefreshGuard&) = delete;
    RefreshGuard& operator=(const RefreshGuard&) = delete;

  private:
    bool& flag_;
    bool before_;
};
