#pragma once

#include <QString>
#include <optional>
#include <string>

#include "ui/common/WindowContext.h"

class FormStatus;

// What every file command of the sound browser and the group editor does the same way: a file
// dialog (a cancel, or an empty answer, ends the command without a word), a box with the
// caption when a file fails, and the progress window for as long as the synth is busy.
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

    // Shows the progress window with the caption and message until it ends (or Hide).
    class Progress {
      public:
        Progress(const FileCommandSteps& steps, const QString& message);
        ~Progress() { Hide(); }
        void Hide();
        Progress(const Progress&) = delete;
        Progress& operator=(const Progress&) = delete;

      private:
        FormStatus& status_;
    };

  private:
    const WindowContext& context_;
    const char* caption_;
};
