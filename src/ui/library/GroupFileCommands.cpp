#include "ui/library/GroupFileCommands.h"

#include <QDir>

#include "library/LibraryBackup.h"
#include "library/LibraryFiles.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassGroups.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WriteVerification.h"
#include "windowlogic/SynthText.h"

GroupFileCommands::GroupFileCommands(const WindowContext& context, Editor editor)
    : context_(context), editor_(std::move(editor)), steps_(context_, kCaption) {}

void GroupFileCommands::GroupOpen() {
    const std::shared_ptr<ClassGroup> group = editor_.current();
    if (!group)
        return;
    const int n = group->GroupNumber();
    const auto path =
        steps_.AskOpen(QStringLiteral("Open Group Number %1").arg(n), kGroupFilter, {});
    if (!path)
        return;
    std::string failure;
    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QStringLiteral("Sending the group to ZEL-1..."),
        TransferProgress::WriteSeconds(ClassGroup::kRawBytes));
    const OpenOutcome outcome = OpenGroupFile(*group, *path, failure);
    progress.reset();
    switch (outcome) {
        case OpenOutcome::kFileFailed:
            steps_.Fail(failure);
            return;
        case OpenOutcome::kSynthFailed:
            return;
        case OpenOutcome::kDone:
            break;
    }
    // Save goes to the file the group now comes from, never to one it was saved to before.
    context_.library.SetGroupFileName(n, QString::fromStdString(*path));
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
    const QString name = SynthText::ToShown(group->Name());
    const QString known = context_.library.GroupFileName(group->GroupNumber());
    const auto path = steps_.AskSave(QStringLiteral("Save - ") + name, kGroupFilter,
                                     known.isEmpty() ? name : known);
    if (path)
        SaveGroupTo(*group, QString::fromStdString(*path));
}

void GroupFileCommands::SaveGroupTo(const ClassGroup& group, const QString& path) {
    std::string failure;
    if (!SaveGroupFile(group, path.toStdString(), failure)) {
        steps_.Fail(failure);
        return;
    }
    context_.library.SetGroupFileName(group.GroupNumber(), path);
    context_.shell.ShowStatusMessage(
        QStringLiteral("Group \"%1\" written to %2")
            .arg(SynthText::ToShown(group.Name()), QDir::toNativeSeparators(path)));
}

void GroupFileCommands::SaveAll() {
    const auto path = steps_.AskSave(QStringLiteral("Save All Groups"), kAllGroupsFilter,
                                     context_.library.AllGroupsFileName());
    if (!path)
        return;
    std::string failure;
    if (!SaveAllGroupsFile(context_.library.Groups(), *path, failure)) {
        steps_.Fail(failure);
        return;
    }
    context_.library.SetAllGroupsFileName(QString::fromStdString(*path));
    context_.shell.ShowStatusMessage(
        QStringLiteral("All %1 groups written to %2")
            .arg(ClassGroups::kGroupCount)
            .arg(QDir::toNativeSeparators(QString::fromStdString(*path))));
}

void GroupFileCommands::OpenAll() {
    const auto path = steps_.AskOpen(QStringLiteral("Open All Groups"), kAllGroupsFilter,
                                     context_.library.AllGroupsFileName());
    if (!path)
        return;
    // The backup's read and the send, each a second or two at the synth's pace.
    auto status = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QStringLiteral("Sending all groups to ZEL-1..."),
        TransferProgress::ReadSeconds(ClassGroups::kAllGroupsBytes) +
            TransferProgress::WriteSeconds(ClassGroups::kAllGroupsBytes));
    RawData all;
    std::string failure;
    if (!ReadAllGroupsFile(*path, all, failure)) {
        status.reset();
        steps_.Fail(failure);
        return;
    }
    context_.library.SetAllGroupsFileName(QString::fromStdString(*path));
    QString backup;
    if (!BackUpSynthGroups(QDateTime::currentDateTime(), backup, failure)) {
        status.reset();
        steps_.Fail(failure + "\nThe groups of the ZEL-1 were left as they are.");
        return;
    }
    const QString where = QStringLiteral("The ZEL-1's groups were saved to ") + backup;
    context_.shell.ShowStatusMessage(where);
    const bool sent = context_.library.Groups().SendAllGroupsToSynth(all);
    if (sent) {
        // Every slot now holds a group of the new file: Save must ask where each goes.
        for (int slot = 0; slot < ClassGroups::kGroupCount; ++slot)
            context_.library.SetGroupFileName(slot, QString());
    }
    editor_.allOpened();
    status.reset();
    if (sent)
        WriteVerification::After(context_, ReadBackCheck::Records::Groups, 0, all, kCaption, where);
}

bool GroupFileCommands::BackUpSynthGroups(const QDateTime& taken, QString& path,
                                          std::string& failure) {
    // A fresh read: the synth may hold what no window has seen.
    ClassGroups held(context_.midi);
    if (!held.GetGroupsFromSynth()) {
        failure = "The groups could not be read from the ZEL-1 for a backup.";
        return false;
    }
    path = WriteGroupBackup(held, context_.library.BackupFolder(), taken, failure);
    return !path.isEmpty();
}
