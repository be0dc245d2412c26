#include "ui/common/FolderMemoryDialogs.h"

#include <QDir>
#include <QFileInfo>

#include "midi/MidiSettings.h"
#include "platform/SettingsStore.h"

QString FolderMemoryDialogs::KindOf(const QString& filter) {
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : pattern.mid(dot + 1).trimmed().toLower();
}

FileDialogs::Request FolderMemoryDialogs::InFolder(const Request& request) {
    const QString kind = KindOf(request.filter);
    if (kind.isEmpty() || QFileInfo(request.initialPath).isAbsolute())
        return request;
    const QString folder = QString::fromStdString(
        store_.Read(MidiSettings::kApplication, kSection, kind.toStdString(), std::string()));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return request;
    Request inFolder = request;
    // A bare name (the sound's) is offered inside the folder; no name opens the folder itself.
    inFolder.initialPath =
        request.initialPath.isEmpty() ? folder : QDir(folder).filePath(request.initialPath);
    return inFolder;
}

std::optional<QString> FolderMemoryDialogs::Remember(const Request& request,
                                                     const std::optional<QString>& answer) {
    const QString kind = KindOf(request.filter);
    if (answer && !answer->isEmpty() && !kind.isEmpty()) {
        store_.Write(MidiSettings::kApplication, kSection, kind.toStdString(),
                     QFileInfo(*answer).absolutePath().toStdString());
    }
    return answer;
}

std::optional<QString> FolderMemoryDialogs::OpenFile(const Request& request) {
    return Remember(request, dialogs_.OpenFile(InFolder(request)));
}

std::optional<QString> FolderMemoryDialogs::SaveFile(const Request& request) {
    return Remember(request, dialogs_.SaveFile(InFolder(request)));
}

std::optional<QString> FolderMemoryDialogs::ChooseFolder(const Request& request) {
    static constexpr const char* kFolderKind = "folder";
    Request inFolder = request;
    const QString last = QString::fromStdString(
        store_.Read(MidiSettings::kApplication, kSection, kFolderKind, std::string()));
    if (request.initialPath.isEmpty() && !last.isEmpty() && QFileInfo(last).isDir())
        inFolder.initialPath = last;
    const std::optional<QString> answer = dialogs_.ChooseFolder(inFolder);
    if (answer && !answer->isEmpty()) {
        // The folder above the chosen one, where its neighbours are.
        store_.Write(MidiSettings::kApplication, kSection, kFolderKind,
                     QFileInfo(*answer).absolutePath().toStdString());
    }
    return answer;
}
