#pragma once

#include <QString>

#include "ui/common/FileDialogs.h"

class SettingsStore;

// File dialogs that start in the folder last used for their kind of file. The kind is the first
// pattern of the filter ("*.zel"), so a sound and an all-sounds file keep folders of their own.
// The folders are kept in the settings store and so outlive the program's run. A request that
// already names a folder (the file a slot was last saved to) is left as it is.
class FolderMemoryDialogs : public FileDialogs {
  public:
    static constexpr const char* kSection = "folders";

    FolderMemoryDialogs(FileDialogs& dialogs, SettingsStore& store)
        : dialogs_(dialogs), store_(store) {}

    std::optional<QString> OpenFile(const Request& request) override;
    std::optional<QString> SaveFile(const Request& request) override;
    // A folder to add to the library: offered where the last one was chosen.
    std::optional<QString> ChooseFolder(const Request& request) override;

    // "zel" for "Sound (*.zel)|*.zel|..."; "" when the filter names no pattern.
    static QString KindOf(const QString& filter);

  private:
    Request InFolder(const Request& request);
    std::optional<QString> Remember(const Request& request, const std::optional<QString>& answer);

    FileDialogs& dialogs_;
    SettingsStore& store_;
};
