#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageSink.h"

// Remembers every message and answers with scripted buttons (OK, or Yes for Yes/No, when the
// script is empty). Used by tests and by programs that run without a person.
class RecordingMessageSink : public MessageSink {
  public:
    struct Message {
        std::string text;
        std::string title;
        int flags = 0;
        bool operator==(const Message&) const = default;
    };

    int Show(const std::string& text, const std::string& title, int flags) override;

    void QueueAnswer(int button) { answers_.push_back(button); }
    // Runs while a message is shown, as events a person or the system causes meanwhile.
    void WhileShown(std::function<void(const Message&)> action) { whileShown_ = std::move(action); }
    const std::vector<Message>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }

  private:
    std::vector<Message> messages_;
    std::deque<int> answers_;
    std::function<void(const Message&)> whileShown_;
};
