#pragma once

#include <QString>
#include <optional>

#include "ui/common/FileDialogs.h"

// The program's file dialogs, except that an open dialog can be answered in advance: a file
// given on the command line goes through the very command a user would choose it with.
class PresetFileDialogs : public FileDialogs {
  public:
    explicit PresetFileDialogs(FileDialogs& dialogs) : dialogs_(dialogs) {}

    // The next open dialog answers with this path instead of asking.
    void Preset(const QString& path) { preset_ = path; }
    void Clear() { preset_.reset(); }

    std::optional<QString> OpenFile(const Request& request) override {
        if (!preset_)
            return dialogs_.OpenFile(request);
        const QString path = *preset_;
        preset_.reset();
        return path;
    }
    std::optional<QString> SaveFile(const Request& request) override {
        return dialogs_.SaveFile(request);
    }
    std::optional<QString> ChooseFolder(const Request& request) override {
        return dialogs_.ChooseFolder(request);
    }

  private:
    FileDialogs& dialogs_;
    std::optional<QString> preset_;
};
