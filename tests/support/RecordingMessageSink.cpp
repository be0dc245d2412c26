#include "support/RecordingMessageSink.h"

int RecordingMessageSink::Show(const std::string& text, const std::string& title, int flags) {
    messages_.push_back({text, title, flags});
    if (whileShown_) {
        const Message shown = messages_.back();  // the action may show messages too
        whileShown_(shown);
    }
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (flags & 0x0F) == MessageFlags::YesNo ? MessageFlags::ResultYes : MessageFlags::ResultOk;
}
