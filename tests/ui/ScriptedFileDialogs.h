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
    void Answer(const std::optional<QString>& path) {
        answers_.push_back({path.has_value(), path.value_or(QString())});
    }

    std::optional<QString> OpenFile(const Request& request) override {
        return Next(false, request);
    }
    std::optional<QString> SaveFile(const Request& request) override { return Next(true, request); }
    std::optional<QString> ChooseFolder(const Request& request) override {
        return Next(false, request);
    }

    const std::vector<Asked>& Asks() const { return asked_; }
    size_t Unanswered() const { return answers_.size(); }

  private:
    std::optional<QString> Next(bool save, const Request& request) {
        asked_.push_back({save, request});
        if (answers_.empty())
            return std::nullopt;
        const Scripted answer = answers_.front();
        answers_.pop_front();
        if (!answer.chosen)
            return std::nullopt;
        return answer.path;
    }

    struct Scripted {
        bool chosen;
        QString path;
    };
    std::deque<Scripted> answers_;
    std::vector<Asked> asked_;
};
