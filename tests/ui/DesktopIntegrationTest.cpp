#include <QDesktopServices>
#include <QDir>
#include <QTextBrowser>

#include "ShellFixture.h"
#include "core/FileTestSupport.h"
#include "core/SoundTestSupport.h"
#include "ui/app/GivenFiles.h"
#include "ui/common/PresetFileDialogs.h"
#include "ui/library/FormGroups.h"
#include "ui/library/FormSounds.h"

// What a desktop hands the editor: files opened with it from a file manager, and the manual
// opened from the Help menu.
class DesktopIntegrationTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->SetChildFactory(Child::Sounds, [this] {
            auto* form = new FormSounds(GivenContext());
            form->Load();
            return form;
        });
        window->SetChildFactory(Child::Groups, [this] {
            auto* form = new FormGroups(GivenContext());
            form->Load();
            return form;
        });
    }

    WindowContext GivenContext() {
        return {midi, messages, store, pump, preset, library, *window, editors};
    }
    void Open(const std::string& path) {
        GivenFiles(*window, library, messages, preset).Open({QString::fromStdString(path)});
    }
    VirtualZel1& Synth() { return driver.Synth(); }
    const RecordingMessageSink::Message& LastMessage() const { return messages.Messages().back(); }

    PresetFileDialogs preset{dialogs};
    TempFolder files;
};

TEST_F(DesktopIntegrationTest, OneSoundOrGroupGoesIntoTheSelectedSlotAfterTheUserAgrees) {
    const RawData sound = Synth().Sound(3);
    const std::string pad = files.Path("pad.zel");
    PutFile(pad, AsBytes(sound));

    messages.QueueAnswer(MessageFlags::ResultCancel);
    Open(pad);
    ASSERT_FALSE(messages.Messages().empty());
    const std::string first = library.Sounds().Sound(0)->Name();
    EXPECT_EQ(LastMessage().text, "Send \"pad.zel\" to the ZEL-1 as sound 0 (" + first + ")?");
    EXPECT_EQ(LastMessage().flags, MessageFlags::OkCancelQuestion);
    EXPECT_NE(Synth().Sound(0), sound);

    messages.QueueAnswer(MessageFlags::ResultOk);
    Open(pad);
    EXPECT_EQ(Synth().Sound(0), sound);
    // The browser's own Open took the file: no dialog was shown, and Save goes back to it.
    EXPECT_TRUE(dialogs.Asks().empty());
    EXPECT_EQ(library.SoundFileName(0).toStdString(), pad);

    const RawData group = Synth().Group(2);
    const std::string split = files.Path("split.zeg");
    PutFile(split, AsBytes(group));
    messages.QueueAnswer(MessageFlags::ResultOk);
    Open(split);
    EXPECT_NE(LastMessage().text.find("\"split.zeg\" to the ZEL-1 as group 0"), std::string::npos);
    EXPECT_EQ(Synth().Group(0), group);
    EXPECT_TRUE(dialogs.Asks().empty());
}

TEST_F(DesktopIntegrationTest, ABankReplacesAllTwentyAfterAskingAndKeepsABackup) {
    RawData all = SynthSounds(Synth());
    std::rotate(all.begin(), all.begin() + 138, all.end());  // sound 1 first, sound 0 last
    all.push_back(0);
    const std::string bank = files.Path("Live set.zas");
    PutFile(bank, AsBytes(all));
    const RawData second = Synth().Sound(1);

    messages.QueueAnswer(MessageFlags::ResultOk);
    Open(bank);
    EXPECT_NE(messages.Messages().front().text.find("in place of all 20 sounds"),
              std::string::npos);
    EXPECT_EQ(Synth().Sound(0), second);
    EXPECT_EQ(QDir(backups.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(dialogs.Asks().empty());
}

TEST_F(DesktopIntegrationTest, AFileThatCannotBeReadIsSaidSoBeforeAnythingIsAsked) {
    const RawData before = SynthSounds(Synth());
    for (const std::string& path : {files.Path("gone.zas"), files.Path("gone.zel")}) {
        messages.Clear();
        Open(path);
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(LastMessage().flags, MessageFlags::Critical);
        EXPECT_EQ(LastMessage().text, "Cannot open \"" + path + "\": No such file or directory.");
    }
    EXPECT_EQ(SynthSounds(Synth()), before);
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(DesktopIntegrationTest, AFileOfAnotherKindIsRefusedWithoutOpeningAWindow) {
    Open(files.Path("notes.txt"));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(LastMessage().flags, MessageFlags::Critical);
    EXPECT_NE(LastMessage().text.find("\"notes.txt\" is not a file the editor opens"),
              std::string::npos);
    EXPECT_EQ(window->ChildWindow(Child::Sounds), nullptr);
    EXPECT_EQ(window->ChildWindow(Child::Groups), nullptr);
}

TEST_F(DesktopIntegrationTest, HelpContentsOpensTheManualOrSaysItIsMissing) {
    const std::string manual = files.Path("manual.html");
    const std::string page = "<html><body><h1>Manual</h1></body></html>";
    PutFile(manual, std::vector<uint8_t>(page.begin(), page.end()));
    QTextBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "setSource");
    window->SetManualPath(QString::fromStdString(manual));
    Action("MenuHelpContents")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(browser.source(), QUrl::fromLocalFile(QString::fromStdString(manual)));
    EXPECT_TRUE(messages.Messages().empty());

    window->SetManualPath(QString());
    Action("MenuHelpContents")->trigger();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(LastMessage().text, "The user manual could not be opened: it is not installed.");
}
