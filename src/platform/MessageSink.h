#pragma once

#include <string>

namespace MessageFlags {
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int OkCancel = 1;
inline constexpr int YesNo = 4;
inline constexpr int OkCancelQuestion = 33;

inline constexpr int ResultOk = 1;
inline constexpr int ResultCancel = 2;
inline constexpr int ResultYes = 6;
inline constexpr int ResultNo = 7;
}  // namespace MessageFlags

// Message boxes: shows text under title with the given icon and buttons, returns the button.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual int Show(const std::string& text, const std::string& title, int flags) = 0;
};
