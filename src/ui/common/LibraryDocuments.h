#pragma once

#include <QString>
#include <array>
#include <memory>

#include "model/ClassGroups.h"
#include "model/ClassSounds.h"

class EditHistory;
class ModuleMIDI;

// What the library windows work on and what must outlive them: the sound and group collections
// (the objects editor windows hold) and the file each slot was last opened from or saved to.
// Closing the sound browser or the group editor and opening it again finds them as they were,
// without a new fetch from the synth.
class LibraryDocuments {
  public:
    static constexpr int kSlots = 20;

    // backupFolder: where the synth's contents are written before an Open All replaces them.
    LibraryDocuments(ModuleMIDI& midi, QString backupFolder);
    ~LibraryDocuments();

    ClassSounds& Sounds() { return sounds_; }
    ClassGroups& Groups() { return groups_; }
    // The undo history of every sound and group.
    EditHistory& History() { return *history_; }

    // "" outside 0..19.
    QString SoundFileName(int slot) const;
    void SetSoundFileName(int slot, const QString& path);
    QString AllSoundsFileName() const { return allSoundsFileName_; }
    void SetAllSoundsFileName(const QString& path) { allSoundsFileName_ = path; }

    QString GroupFileName(int slot) const;
    void SetGroupFileName(int slot, const QString& path);
    QString AllGroupsFileName() const { return allGroupsFileName_; }
    void SetAllGroupsFileName(const QString& path) { allGroupsFileName_ = path; }

    QString BackupFolder() const { return backupFolder_; }
    // The user's data folder's "Backups".
    static QString DefaultBackupFolder();

  private:
    ClassSounds sounds_;
    ClassGroups groups_;
    std::array<QString, kSlots> soundFileNames_;
    std::array<QString, kSlots> groupFileNames_;
    QString allSoundsFileName_;
    QString allGroupsFileName_;
    QString backupFolder_;
    std::unique_ptr<EditHistory> history_;
};
