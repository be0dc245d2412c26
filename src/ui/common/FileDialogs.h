#pragma once

#include <QString>
#include <optional>

// The file dialogs the file commands show. A filter lists description and pattern pairs joined
// by vertical bars ("Sound (*.zel)|*.zel|Import SND files (*.snd)|*.snd"); the dialog starts on
// the first pair and adds no extension to a typed name. An empty result means the user
// cancelled: the command then ends without a word.
class FileDialogs {
  public:
    struct Request {
        QString title;
        QString filter;
        QString initialPath;
    };

    virtual ~FileDialogs() = default;
    // Only an existing file can be chosen.
    virtual std::optional<QString> OpenFile(const Request& request) = 0;
    // The folder must exist; replacing an existing file is asked first.
    virtual std::optional<QString> SaveFile(const Request& request) = 0;
    // An existing folder (the filter is not used).
    virtual std::optional<QString> ChooseFolder(const Request& request) = 0;
};
