#include "cli/StreamMessageSink.h"

#include <algorithm>
#include <ostream>

int StreamMessageSink::Show(const std::string& text, const std::string& title, int flags) {
    std::string line = text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    ++shown_;
    stream_ << (title.empty() ? std::string("zel1-cli") : title) << ": " << line << std::endl;
    return (flags & 0x0F) == MessageFlags::YesNo ? MessageFlags::ResultYes : MessageFlags::ResultOk;
}
