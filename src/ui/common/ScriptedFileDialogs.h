#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "ui/common/FileDialogs.h"

// File dialogs that answer from a script and note what they were asked: for tests and for the
// screenshot run. An empty script answers like a cancel.
class ScriptedFileDialogs : public FileDialogs {
  public:
    struct Asked {
        bool save;
        Request request;
    };

    // The next dialog answers with this path; std::nullopt scripts a cancel.
    void Answer(std::optional<QString> path) { answers_.push_back(std::move(path)); }

    std::optional<QString> OpenFile(const Request& request) override {
        return Next(false, request);
    }
    std::optional<QString> SaveFile(const Request& request) override { return Next(true, request); }

    const std::vector<Asked>& Asks() const { return asked_; }
    size_t Unanswered() const { return answers_.size(); }

  private:
    std::optional<QString> Next(bool save, const Request& request) {
        asked_.push_back({save, request});
        if (answers_.empty())
            return std::nullopt;
        // Taken by value, not moved from: GCC 12 at -O2 wrongly warns that a moved-from
        // optional QString may be used uninitialized.
        const bool cancelled = !answers_.front().has_value();
        const QString path = answers_.front().value_or(QString());
        answers_.pop_front();
        if (cancelled)
            return std::nullopt;
        return path;
    }

    std::deque<std::optional<QString>> answers_;
    std::vector<Asked> asked_;
};
