#include <QDir>

#include "FileTestSupport.h"
#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "library/LibraryBackup.h"
#include "model/ClassGroups.h"
#include "model/ClassSounds.h"

class LibraryBackupTest : public SynthFixture {};

TEST_F(LibraryBackupTest, BackupsTakenInTheSameSecondAreKeptSideBySide) {
    TempFolder folder;
    const QString backups = QString::fromStdString(folder.Path("Backups/deeper"));
    const QDateTime taken(QDate(2026, 12, 6), QTime(22, 41, 7));
    std::string failure;
    ClassSounds sounds(midi);
    EXPECT_TRUE(WriteSoundBackup(sounds, backups, taken, failure).isEmpty());  // nothing held yet
    ASSERT_TRUE(sounds.GetSoundsFromSynth());

    const QString first = WriteSoundBackup(sounds, backups, taken, failure);
    EXPECT_EQ(first, backups + "/Sounds 2026-12-06 22.41.07.zas");
    sounds.Sound(0)->SetName("Second");
    const QString second = WriteSoundBackup(sounds, backups, taken, failure);
    EXPECT_EQ(second, backups + "/Sounds 2026-12-06 22.41.07 (2).zas");

    RawData held = SynthSounds(Synth());
    held.push_back(0);
    EXPECT_EQ(FileBytes(second.toStdString()), AsBytes(held));
    EXPECT_NE(FileBytes(first.toStdString()), FileBytes(second.toStdString()));

    // Group backups are named the same way and never replace one another either.
    ClassGroups groups(midi);
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    const QString firstGroups = WriteGroupBackup(groups, backups, taken, failure);
    EXPECT_EQ(firstGroups, backups + "/Groups 2026-12-06 22.41.07.zag");
    groups.Group(0)->SetName("Second");
    const QString secondGroups = WriteGroupBackup(groups, backups, taken, failure);
    EXPECT_EQ(secondGroups, backups + "/Groups 2026-12-06 22.41.07 (2).zag");
    RawData heldGroups;
    for (int n = 0; n < 20; ++n) {
        RawData raw;
        groups.Group(n)->EncodeRawGroup(raw);
        heldGroups.insert(heldGroups.end(), raw.begin(), raw.end());
    }
    EXPECT_EQ(FileBytes(secondGroups.toStdString()), AsBytes(heldGroups));
    EXPECT_NE(FileBytes(firstGroups.toStdString()), FileBytes(secondGroups.toStdString()));
}
