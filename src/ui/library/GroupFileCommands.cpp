#include "ui/library/GroupFileCommands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "library/LibraryFiles.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassGroups.h"
#include "platform/MessageSink.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/FormStatus.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WriteVerification.h"

namespace {
QString Text(const char* text) {
    return QString::fromLatin1(text);
}

// A name in the backup folder no earlier backup has taken.
QString FreshBackupPath(const QString& folder) {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = folder + QStringLiteral("/Groups ") + stamp + QStringLiteral(".zag");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + QStringLiteral("/Groups ") + stamp + QStringLiteral(" (%1).zag").arg(n);
    return path;
}

}  // namespace

GroupFileCommands::GroupFileCommands(const WindowContext& context, Editor editor)
    : context_(context), editor_(std::move(editor)) {}

void GroupFileCommands::Fail(const std::string& description) {
    context_.messages.Show(description, kCaption, MessageFlags::Critical);
}

void GroupFileCommands::GroupOpen() {
    const std::shared_ptr<ClassGroup> group = editor_.current();
    if (!group)
        return;
    const int n = group->GroupNumber();
    const std::optional<QString> path = context_.dialogs.OpenFile(
        {QStringLiteral("Open Group Number %1").arg(n), Text(kGroupFilter), QString()});
    if (!path)
        return;
    std::string failure;
    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), Text(kCaption),
        QStringLiteral("Sending the group to ZEL-1..."),
        TransferProgress::WriteSeconds(ClassGroup::kRawBytes));
    const OpenOutcome outcome = OpenGroupFile(*group, path->toStdString(), failure);
    progress.reset();
    switch (outcome) {
        case OpenOutcome::kFileFailed:
            Fail(failure);
            return;
        case OpenOutcome::kSynthFailed:
            return;
        case OpenOutcome::kDone:
            break;
    }
    // Save goes to the file the group now comes from, never to one it was saved to before.
    context_.library.SetGroupFileName(n, *path);
    editor_.groupOpened();
    RawData sent;
    group->EncodeRawGroup(sent);
    WriteVerification::After(context_, ReadBackCheck::Records::Groups, n, sent, kCaption);
}

void GroupFileCommands::GroupSave() {
    const std::shared_ptr<ClassGroup> group = editor_.current();
    if (!group)
        return;
    const QString path = context_.library.GroupFileName(group->GroupNumber());
    if (path.isEmpty()) {
        GroupSaveAs();
        return;
    }
    SaveGroupTo(*group, path);
}

void GroupFileCommands::GroupSaveAs() {
    const std::shared_ptr<ClassGroup> group = editor_.current();
    if (!group)
        return;
    const QString name = QString::fromStdString(group->Name());
    const QString known = context_.library.GroupFileName(group->GroupNumber());
    const std::optional<QString> path = context_.dialogs.SaveFile(
        {QStringLiteral("Save - ") + name, Text(kGroupFilter), known.isEmpty() ? name : known});
    if (path)
        SaveGroupTo(*group, *path);
}

void GroupFileCommands::SaveGroupTo(const ClassGroup& group, const QString& path) {
    std::string failure;
    if (!SaveGroupFile(group, path.toStdString(), failure)) {
        Fail(failure);
        return;
    }
    context_.library.SetGroupFileName(group.GroupNumber(), path);
    context_.shell.ShowStatusMessage(
        QStringLiteral("Group \"%1\" written to %2")
            .arg(QString::fromStdString(group.Name()), QDir::toNativeSeparators(path)));
}

void GroupFileCommands::SaveAll() {
    const std::optional<QString> path =
        context_.dialogs.SaveFile({QStringLiteral("Save All Groups"), Text(kAllGroupsFilter),
                                   context_.library.AllGroupsFileName()});
    if (!path)
        return;
    std::string failure;
    if (!SaveAllGroupsFile(context_.library.Groups(), path->toStdString(), failure)) {
        Fail(failure);
        return;
    }
    context_.library.SetAllGroupsFileName(*path);
    context_.shell.ShowStatusMessage(QStringLiteral("All %1 groups written to %2")
                                         .arg(ClassGroups::kGroupCount)
                                         .arg(QDir::toNativeSeparators(*path)));
}

void GroupFileCommands::OpenAll() {
    const std::optional<QString> path =
        context_.dialogs.OpenFile({QStringLiteral("Open All Groups"), Text(kAllGroupsFilter),
                                   context_.library.AllGroupsFileName()});
    if (!path)
        return;
    // The backup's read and the send, each a second or two at the synth's pace.
    auto status = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), Text(kCaption),
        QStringLiteral("Sending all groups to ZEL-1..."),
        TransferProgress::ReadSeconds(ClassGroups::kAllGroupsBytes) +
            TransferProgress::WriteSeconds(ClassGroups::kAllGroupsBytes));
    RawData all;
    std::string failure;
    if (!ReadAllGroupsFile(path->toStdString(), all, failure)) {
        status.reset();
        Fail(failure);
        return;
    }
    context_.library.SetAllGroupsFileName(*path);
    QString backup;
    if (!BackUpSynthGroups(backup, failure)) {
        status.reset();
        Fail(failure + "\nThe groups of the ZEL-1 were left as they are.");
        return;
    }
    const QString where = QStringLiteral("The ZEL-1's groups were saved to ") + backup;
    context_.shell.ShowStatusMessage(where);
    const bool sent = context_.library.Groups().SendAllGroupsToSynth(all);
    editor_.allOpened();
    status.reset();
    if (sent)
        WriteVerification::After(context_, ReadBackCheck::Records::Groups, 0, all, kCaption, where);
}

bool GroupFileCommands::BackUpSynthGroups(QString& path, std::string& failure) {
    // A fresh read: the synth may hold what no window has seen.
    ClassGroups held(context_.midi);
    if (!held.GetGroupsFromSynth()) {
        failure = "The groups could not be read from the ZEL-1 for a backup.";
        return false;
    }
    const QString folder = context_.library.BackupFolder();
    if (!QDir().mkpath(folder)) {
        failure = "Cannot create the backup folder \"" + folder.toStdString() + "\".";
        return false;
    }
    path = FreshBackupPath(folder);
    return SaveAllGroupsFile(held, path.toStdString(), failure);
}
