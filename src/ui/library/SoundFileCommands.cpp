#include "ui/library/SoundFileCommands.h"

#include <QDateTime>
#include <QDir>

#include "catalog/EntrySound.h"
#include "library/FileKinds.h"
#include "library/LibraryBackup.h"
#include "library/LibraryFiles.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassSounds.h"
#include "platform/MessageSink.h"
#include "ui/common/EditHistory.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/ShellServices.h"
#include "ui/common/TransferProgress.h"
#include "ui/common/WriteVerification.h"
#include "windowlogic/SynthText.h"

namespace {
constexpr const char* kTitleOpen = "Open";
constexpr const char* kTitleSaveAs = "Save As";
}  // namespace

bool SoundFileCommands::Open(int slot) {
    LibraryDocuments& library = context_.library;
    const auto sound = library.Sounds().Sound(slot);
    if (!sound)
        return false;
    const auto path =
        steps_.AskOpen(QStringLiteral("Open Sound Number %1").arg(slot), kOpenFilter, {});
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
            steps_.Fail(failure, kTitleOpen);
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
    // Compare plays the sound as opened against later edits, not what the slot held before.
    library.History().KeepReference(*sound, true);
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
        steps_.Fail(failure, kTitleOpen);
        return false;
    }
    if (!sound->SendSound(raw))
        return false;
    const bool ownFile = KindOfFile(path.toStdString()) == FileKind::Sound;
    context_.library.SetSoundFileName(slot, ownFile ? path : QString());
    context_.library.History().KeepReference(*sound, true);
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

bool SoundFileCommands::Write(ClassSound& sound, int slot, const std::string& path) {
    // While Compare is down the object holds the reference: the edit is sent back and saved.
    const bool compared = context_.library.History().Comparing(sound);
    if (compared && !context_.library.History().SetComparing(sound, false))
        return false;
    std::string failure;
    if (!SaveSoundFile(sound, path, failure)) {
        steps_.Fail(failure, kTitleSaveAs);
        return false;
    }
    // A web page is an export: Save keeps writing the sound file.
    if (KindOfFile(path) != FileKind::Html) {
        context_.library.SetSoundFileName(slot, QString::fromStdString(path));
        // Compare plays the sound as last saved from now on.
        context_.library.History().KeepReference(sound, true);
    }
    const QString written = QStringLiteral("Sound \"%1\" written to %2")
                                .arg(SynthText::ToShown(sound.Name()),
                                     QDir::toNativeSeparators(QString::fromStdString(path)));
    context_.shell.ShowStatusMessage(compared ? QString::fromLatin1(kCompareEnded) + ' ' + written
                                              : written);
    return true;
}

void SoundFileCommands::SaveAs(int slot) {
    LibraryDocuments& library = context_.library;
    const auto sound = library.Sounds().Sound(slot);
    if (!sound)
        return;
    const QString name = SynthText::ToShown(sound->Name());
    const QString known = library.SoundFileName(slot);
    const auto path = steps_.AskSave(QStringLiteral("Save - ") + name, kSaveFilter,
                                     known.isEmpty() ? name : known);
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
    const auto path = steps_.AskSave(QStringLiteral("Save All Sounds"), kSaveAllFilter,
                                     library.AllSoundsFileName());
    if (!path)
        return;
    std::string failure;
    if (!SaveAllSoundsFile(library.Sounds(), *path, failure)) {
        steps_.Fail(failure);
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
        steps_.Fail(failure + " The sounds were not sent, so the ZEL-1 still holds its own.");
    }
    return path;
}

bool SoundFileCommands::OpenAll() {
    LibraryDocuments& library = context_.library;
    // Only sounds read from the synth can be kept before they are replaced.
    if (!library.Sounds().Syncronised())
        return false;
    const auto path = steps_.AskOpen(QStringLiteral("Open All Sounds"), kOpenAllFilter,
                                     library.AllSoundsFileName());
    if (!path)
        return false;
    RawData all;
    std::string failure;
    if (!ReadAllSoundsFile(*path, all, failure)) {
        steps_.Fail(failure);
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
    if (sent) {
        // Every slot now holds a sound of the new file: Save must ask where each goes.
        for (int slot = 0; slot < ClassSounds::kSounds; ++slot)
            library.SetSoundFileName(slot, QString());
        WriteVerification::After(context_, ReadBackCheck::Records::Sounds, 0, all, kCaption, where);
    } else
        context_.shell.ShowStatusMessage(where);
    return sent;
}
