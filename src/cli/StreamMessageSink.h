#pragma once

#include <iosfwd>
#include <string>

#include "platform/MessageSink.h"

// Message boxes for programs without windows: each message becomes one line "Title: text" on a
// stream (line breaks inside the text become blanks). Questions are answered OK or Yes, as a
// person would to go on.
class StreamMessageSink : public MessageSink {
  public:
    explicit StreamMessageSink(std::ostream& stream) : stream_(stream) {}
    int Show(const std::string& text, const std::string& title, int flags) override;
    // How many messages were shown so far.
    int Shown() const { return shown_; }

  private:
    std::ostream& stream_;
    int shown_ = 0;
};
