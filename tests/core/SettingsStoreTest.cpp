#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "support/MemorySettingsStore.h"
#include "midi/MidiSettings.h"
#include "platform/QSettingsStore.h"

// The real store, in a folder of the test's own.
class QSettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    }

    QTemporaryDir folder;
};

TEST_F(QSettingsStoreTest, ValuesLastBetweenStoresAndLandInTheApplicationsSection) {
    {
        QSettingsStore store;
        EXPECT_EQ(store.Read("ZEL_EDITOR", "settings", "ZelIn", "none"), "none");
        MidiSettings::Write(store, {"USB MIDI 1", "ZEL-1 Emulator", 7});
    }
    QSettingsStore later;
    EXPECT_EQ(MidiSettings::Read(later),
              (MidiSettings::Choices{"USB MIDI 1", "ZEL-1 Emulator", 7}));

    QFile file(folder.filePath("ZEL_EDITOR/ZEL_EDITOR.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              "[settings]\nSystemChannel=7\nZelIn=USB MIDI 1\nZelOut=ZEL-1 Emulator\n");
}

TEST(MidiSettingsTest, StoredChoicesAreReadWithSafeDefaults) {
    MemorySettingsStore store;
    EXPECT_EQ(MidiSettings::Read(store), (MidiSettings::Choices{"", "", 0}));
    for (const char* bad : {"16", "-1", "abc", "", "3x", "1e1"}) {
        store.Write("ZEL_EDITOR", "settings", "SystemChannel", bad);
        EXPECT_EQ(MidiSettings::Read(store).systemChannel, 0) << bad;
    }
    store.Write("ZEL_EDITOR", "settings", "SystemChannel", " 9 ");
    EXPECT_EQ(MidiSettings::Read(store).systemChannel, 9);
}
