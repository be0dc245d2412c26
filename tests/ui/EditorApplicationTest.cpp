#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "midi/MidiDriver.h"
#include "midi/MidiSettings.h"
#include "support/MemorySettingsStore.h"
#include "synth/VirtualZel1.h"
#include "ui/app/EditorApplication.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"

// The whole editor, run until its main window is closed.
class EditorApplicationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(EditorApplication::MemoryPath());
    }
    void TearDown() override { QFile::remove(EditorApplication::MemoryPath()); }

    // Runs the editor; while it runs, notes the main window's state and closes it.
    int RunOnce() {
        EditorApplication editor(store, nullptr);
        QTimer::singleShot(50, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* main = qobject_cast<MDIFormMain*>(widget); main && main->isVisible()) {
                    sawMainWindow = true;
                    // The program's own picture, not the toolkit's logo, in the child windows'
                    // title bars.
                    const QList<QSize> sizes = main->windowIcon().availableSizes();
                    hasOwnIcon = sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256));
                    // The saved ports opened, so the settings dialog stayed hidden.
                    if (main->Settings() && main->Settings()->isVisible()) {
                        settingsShown = true;
                        main->Settings()->accept();
                    }
                    main->close();  // which unloads other top-level windows: stop looking
                    return;
                }
            }
        });
        EditorApplication::Options options;
        options.virtualSynth = true;
        return editor.Run(options);
    }

    MemorySettingsStore store;
    bool sawMainWindow = false;
    bool settingsShown = false;
    bool hasOwnIcon = false;
};

TEST_F(EditorApplicationTest, TheVirtualSynthServesOneRunAndKeepsItsMemory) {
    // A damaged memory file is not loaded; the synth starts from its factory memory.
    const QString path = EditorApplication::MemoryPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("short");
    damaged.close();
    const std::string a = MidiSettings::kApplication;
    const std::string s = MidiSettings::kSection;
    store.Write(a, s, MidiSettings::kKeyIn, "USB MIDI In");
    store.Write(a, s, MidiSettings::kKeyOut, "USB MIDI Out");
    store.Write(a, s, MidiSettings::kKeySystemChannel, "5");

    EXPECT_EQ(RunOnce(), 0);
    EXPECT_TRUE(sawMainWindow);
    EXPECT_FALSE(settingsShown);  // the virtual synth's ports opened although others are saved
    EXPECT_TRUE(hasOwnIcon);

    // The user's own choices are still there for the next plain run.
    EXPECT_EQ(store.Read(a, s, MidiSettings::kKeyIn, ""), "USB MIDI In");
    EXPECT_EQ(store.Read(a, s, MidiSettings::kKeyOut, ""), "USB MIDI Out");
    EXPECT_EQ(store.Read(a, s, MidiSettings::kKeySystemChannel, ""), "5");

    QFile memory(EditorApplication::MemoryPath());
    ASSERT_TRUE(memory.open(QIODevice::ReadOnly));
    const QByteArray block = memory.readAll();
    VirtualZel1 factory;
    const std::vector<uint8_t> expected = factory.SaveMemory();
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.end()), expected);
    memory.close();

    // What the synth held at the end of one run is what it holds in the next.
    std::vector<uint8_t> changed = expected;
    changed[5] = 'Q';
    ASSERT_TRUE(memory.open(QIODevice::WriteOnly));
    memory.write(reinterpret_cast<const char*>(changed.data()), qint64(changed.size()));
    memory.close();
    EXPECT_EQ(RunOnce(), 0);
    ASSERT_TRUE(memory.open(QIODevice::ReadOnly));
    const QByteArray kept = memory.readAll();
    EXPECT_EQ(std::vector<uint8_t>(kept.begin(), kept.end()), changed);
}
