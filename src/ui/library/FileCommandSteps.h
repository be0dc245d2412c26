#pragma once

#include <QString>
#include <optional>
#include <string>

#include "ui/common/WindowContext.h"

// What every file command of the sound browser and the group editor does the same way: a file
// dialog (a cancel, or an empty answer, ends the command without a word) and a box with the
// caption when a file fails. Progress is the shared TransferProgress.
class FileCommandSteps {
  public:
    FileCommandSteps(const WindowContext& context, const char* caption)
        : context_(context), caption_(caption) {}

    std::optional<std::string> AskOpen(const QString& title, const char* filter,
                                       const QString& initial) const;
    std::optional<std::string> AskSave(const QString& title, const char* filter,
                                       const QString& initial) const;
    // Shows what failed, titled with title (the caption when none is given).
    void Fail(const std::string& failure, const char* title = nullptr) const;

  private:
    const WindowContext& context_;
    const char* caption_;
};
