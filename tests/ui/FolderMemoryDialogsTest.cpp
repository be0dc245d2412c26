#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "ScriptedFileDialogs.h"
#include "support/MemorySettingsStore.h"
#include "ui/common/FolderMemoryDialogs.h"

namespace {
constexpr const char* kSound = "Sound (*.zel)|*.zel|Export HTML (*.htm)|*.htm";
constexpr const char* kAllSounds = "All Sounds (*.zas)|*.zas";
}  // namespace

// Each kind of file's dialog starts in the folder the last one of that kind ended in, in this
// run and the next; a cancel or another kind leaves it as it was.
TEST(FolderMemoryDialogsTest, EachKindStartsWhereItsLastDialogEnded) {
    QTemporaryDir pads;
    QTemporaryDir sets;
    ScriptedFileDialogs scripted;
    MemorySettingsStore store;
    {
        FolderMemoryDialogs dialogs(scripted, store);
        scripted.Answer(QDir(pads.path()).filePath("pad.zel"));
        dialogs.SaveFile({"Save - Pad", kSound, "Pad"});
        scripted.Answer(QDir(sets.path()).filePath("set.zas"));
        dialogs.OpenFile({"Open All Sounds", kAllSounds, ""});
        scripted.Answer(std::nullopt);
        dialogs.OpenFile({"Open Sound Number 2", kSound, ""});
    }
    FolderMemoryDialogs dialogs(scripted, store);
    dialogs.SaveFile({"Save - Lead", kSound, "Lead"});
    dialogs.SaveFile({"Save All Sounds", kAllSounds, ""});
    // A file the slot was saved to before keeps its own folder.
    dialogs.SaveFile({"Save - Bass", kSound, "/elsewhere/bass.zel"});
    dialogs.OpenFile({"Open Group Number 1", "Group (*.zeg)|*.zeg", ""});

    const auto& asks = scripted.Asks();
    ASSERT_EQ(asks.size(), 7u);
    EXPECT_EQ(asks[0].request.initialPath, "Pad");
    EXPECT_EQ(asks[2].request.initialPath, pads.path());
    EXPECT_EQ(asks[3].request.initialPath, QDir(pads.path()).filePath("Lead"));
    EXPECT_EQ(asks[4].request.initialPath, sets.path());
    EXPECT_EQ(asks[5].request.initialPath, "/elsewhere/bass.zel");
    EXPECT_EQ(asks[6].request.initialPath, "");
}
