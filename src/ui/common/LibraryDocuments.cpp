#include "ui/common/LibraryDocuments.h"

#include <QFileInfo>

#include "midi/ModuleMIDI.h"
#include "synth/SynthMemoryFile.h"
#include "ui/common/EditHistory.h"

namespace {
bool ValidSlot(int slot) {
    return slot >= 0 && slot < LibraryDocuments::kSlots;
}
}  // namespace

LibraryDocuments::LibraryDocuments(ModuleMIDI& midi, QString backupFolder)
    : sounds_(midi),
      groups_(midi),
      backupFolder_(std::move(backupFolder)),
      history_(std::make_unique<EditHistory>(
          midi.GetClock(),
          EditHistory::SlotFiles{[this](bool group, int slot) {
                                     return group ? GroupFileName(slot) : SoundFileName(slot);
                                 },
                                 [this](bool group, int slot, const QString& path) {
                                     if (group)
                                         SetGroupFileName(slot, path);
                                     else
                                         SetSoundFileName(slot, path);
                                 }})) {}

LibraryDocuments::~LibraryDocuments() = default;

QString LibraryDocuments::SoundFileName(int slot) const {
    return ValidSlot(slot) ? soundFileNames_[slot] : QString();
}

void LibraryDocuments::SetSoundFileName(int slot, const QString& path) {
    if (ValidSlot(slot))
        soundFileNames_[slot] = path;
}

QString LibraryDocuments::GroupFileName(int slot) const {
    return ValidSlot(slot) ? groupFileNames_[slot] : QString();
}

void LibraryDocuments::SetGroupFileName(int slot, const QString& path) {
    if (ValidSlot(slot))
        groupFileNames_[slot] = path;
}

QString LibraryDocuments::DefaultBackupFolder() {
    // Beside the virtual ZEL-1's memory, in the program's own data folder.
    return QFileInfo(SynthMemoryFile::DefaultPath()).absolutePath() + QStringLiteral("/Backups");
}
