#include <QDir>

#include "FileTestSupport.h"
#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "library/SoundBackup.h"
#include "model/ClassSounds.h"

class SoundBackupTest : public SynthFixture {};

TEST_F(SoundBackupTest, BackupsTakenInTheSameSecondAreKeptSideBySide) {
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
}
