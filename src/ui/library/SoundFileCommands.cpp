#include "ui/library/SoundFileCommands.h"

#include <QDateTime>
#include <QDir>

#include "catalog/EntrySound.h"
#include "library/FileKinds.h"
#include "library/LibraryFiles.h"
#include "library/SoundBackup.h"
#include "midi/ModuleMIDI.h"
#include "platform/MessageSink.h"
#include "ui/common/EditHistory.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/FormStatus.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WriteVerification.h"
#include "windowlogic/SynthText.h"

namespace {
constexpr const char* kTitleOpen = "Open";
constexpr const char* kTitleSaveAs = "Save As";

std::optional<std::string> PathOf(const std::optional<QString>& answer) {
    // The toolkit reports a cancel as an empty path: that names no file.
    if (!answer || answer->isEmpty())
        return std::nullopt;
    return answer->toStdString();
}
}  // namespace

std::optional<std::string> SoundFileCommands::AskOpen(const QString& title, const char* filter,
                                                      const QString& initial) {
    return PathOf(context_.dialogs.OpenFile({title, QString::fromLatin1(filter), initial}));
}

std::optional<std::string> SoundFileCommands::AskSave(const QString& title, const char* filter,
                                                      const QString& initial) {
    return PathOf(context_.dialogs.SaveFile({title, QString::fromLatin1(filter), initial}));
}

void SoundFileCommands::Fail(const std::string& failure, const char* title) {
    context_.messages.Show(failure, title, MessageFlags::Critical);
}

bool SoundFileCommands::Open(int slot) {
    LibraryDocuments& library = context_.library;
    const auto sound = library.Sounds().Sound(slot);
    if (!sound)
        return false;
    const auto path = AskOpen(QStringLiteral("Open Sound Number %1").arg(slot), kOpenFilter, {});
    if (!path)
        return false;
    std::string failure;
    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QStringLiteral("Sending the sound to ZEL-1..."),
        TransferProgress::WriteSeconds(ClassSounds::kAllSoundsBytes / ClassSounds::kSounds));
    const OpenOutcome outcome = OpenSoundFile(*sound, *path, failure);
    progress.reset();
    switch (outcome) {
        case OpenOutcome::kFileFailed:
            Fail(failure, kTitleOpen);
            return false;
        case OpenOutcome::kSynthFailed:
            return false;
        case OpenOutcome::kDone:
            break;
    }
    // Save goes back to the file the sound came from; an imported sound has no file of its
    // own yet.
    const bool ownFile = KindOfFile(*path) == FileKind::Sound;
    library.SetSoundFileName(slot, ownFile ? QString::fromStdString(*path) : QString());
    WriteVerification::After(context_, ReadBackCheck::Records::Sounds, slot,
                             sound->EncodeRawSound(), kCaption);
    return true;
}

bool SoundFileCommands::OpenEntry(int slot, const QString& path, int place) {
    const auto sound = context_.library.Sounds().Sound(slot);
    if (!sound)
        return false;
    RawData raw;
    std::string failure;
    if (!ReadEntrySound(path, place, raw, failure)) {
        Fail(failure, kTitleOpen);
        return false;
    }
    if (!sound->SendSound(raw))
        return false;
    const bool ownFile = KindOfFile(path.toStdString()) == FileKind::Sound;
    context_.library.SetSoundFileName(slot, ownFile ? path : QString());
    WriteVerification::After(context_, ReadBackCheck::Records::Sounds, slot,
                             sound->EncodeRawSound(), kCaption);
    return true;
}

bool SoundFileCommands::OpenEntryAsStep(int slot, const QString& path, int place) {
    // The slots exist once the sounds were read (no browser may have done so yet).
    if (!context_.library.Sounds().GetSoundsFromSynth())
        return false;
    const auto sound = context_.library.Sounds().Sound(slot);
    if (!sound)
        return false;
    bool opened = false;
    context_.library.History().RecordSound(*sound, [&] { opened = OpenEntry(slot, path, place); });
    return opened;
}

bool SoundFileCommands::Write(const ClassSound& sound, int slot, const std::string& path) {
    std::string failure;
    if (!SaveSoundFile(sound, path, failure)) {
        Fail(failure, kTitleSaveAs);
        return false;
    }
    // A web page is an export: Save keeps writing the sound file.
    if (KindOfFile(path) != FileKind::Html) {
        context_.library.SetSoundFileName(slot, QString::fromStdString(path));
        // Compare plays the sound as last saved from now on.
        context_.library.History().KeepReference(sound, true);
    }
    context_.shell.ShowStatusMessage(
        QStringLiteral("Sound \"%1\" written to %2")
            .arg(SynthText::ToShown(sound.Name()),
                 QDir::toNativeSeparators(QString::fromStdString(path))));
    return true;
}

void SoundFileCommands::SaveAs(int slot) {
    LibraryDocuments& library = context_.library;
    const auto sound = library.Sounds().Sound(slot);
    if (!sound)
        return;
    const QString name = SynthText::ToShown(sound->Name());
    const QString known = library.SoundFileName(slot);
    const auto path =
        AskSave(QStringLiteral("Save - ") + name, kSaveFilter, known.isEmpty() ? name : known);
    if (path)
        Write(*sound, slot, *path);
}

void SoundFileCommands::Save(int slot) {
    const auto sound = context_.library.Sounds().Sound(slot);
    if (!sound)
        return;
    const QString known = context_.library.SoundFileName(slot);
    if (known.isEmpty())
        SaveAs(slot);
    else
        Write(*sound, slot, known.toStdString());
}

void SoundFileCommands::SaveAll() {
    LibraryDocuments& library = context_.library;
    const auto path =
        AskSave(QStringLiteral("Save All Sounds"), kSaveAllFilter, library.AllSoundsFileName());
    if (!path)
        return;
    std::string failure;
    if (!SaveAllSoundsFile(library.Sounds(), *path, failure)) {
        Fail(failure, kCaption);
        return;
    }
    library.SetAllSoundsFileName(QString::fromStdString(*path));
    context_.shell.ShowStatusMessage(
        QStringLiteral("All %1 sounds written to %2")
            .arg(ClassSounds::kSounds)
            .arg(QDir::toNativeSeparators(QString::fromStdString(*path))));
}

QString SoundFileCommands::Backup() {
    std::string failure;
    const QString path =
        WriteSoundBackup(context_.library.Sounds(), context_.library.BackupFolder(),
                         QDateTime::currentDateTime(), failure);
    if (path.isEmpty()) {
        Fail(failure + " The sounds were not sent, so the ZEL-1 still holds its own.", kCaption);
    }
    return path;
}

bool SoundFileCommands::OpenAll() {
    LibraryDocuments& library = context_.library;
    // Only sounds read from the synth can be kept before they are replaced.
    if (!library.Sounds().Syncronised())
        return false;
    const auto path =
        AskOpen(QStringLiteral("Open All Sounds"), kOpenAllFilter, library.AllSoundsFileName());
    if (!path)
        return false;
    RawData all;
    std::string failure;
    if (!ReadAllSoundsFile(*path, all, failure)) {
        Fail(failure, kCaption);
        return false;
    }
    return SendAll(all);
}

bool SoundFileCommands::SendAll(const RawData& all) {
    LibraryDocuments& library = context_.library;
    // What is kept must be what the synth holds: read it first when no browser has.
    if (!library.Sounds().Syncronised() && !library.Sounds().GetSoundsFromSynth())
        return false;
    const QString backup = Backup();
    if (backup.isEmpty())
        return false;

    auto progress = std::make_unique<TransferProgress>(
        context_.shell.Status(), context_.midi.GetClock(), QString::fromLatin1(kCaption),
        QString::fromLatin1(kSendingAll),
        TransferProgress::WriteSeconds(ClassSounds::kAllSoundsBytes));
    const bool sent = library.Sounds().SendAllSoundsToSynth(all);
    progress.reset();
    const QString where = QStringLiteral("The ZEL-1's sounds from before Open All: ") +
                          QDir::toNativeSeparators(backup);
    if (sent)
        WriteVerification::After(context_, ReadBackCheck::Records::Sounds, 0, all, kCaption, where);
    else
        context_.shell.ShowStatusMessage(where);
    return sent;
}
