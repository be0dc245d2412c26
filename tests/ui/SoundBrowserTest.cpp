#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QUndoStack>

#include "ShellFixture.h"
#include "TestSoundEditor.h"
#include "core/FileTestSupport.h"
#include "core/SoundTestSupport.h"
#include "library/ConvertFromSND.h"
#include "model/ClassSounds.h"
#include "model/NameRules.h"
#include "ui/common/EditHistory.h"
#include "ui/common/FormStatus.h"
#include "ui/editors/SoundEditorWindow.h"
#include "ui/editors/SoundEditors.h"
#include "ui/library/FormSounds.h"

// The sound browser in the main window on the virtual ZEL-1, with test editors as the editor
// windows and scripted file dialogs.
class SoundBrowserTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        editors = [](SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound) {
            return new TestSoundEditor(kind, sound);
        };
        Start();
        window->SetChildFactory(Child::Sounds, [this] {
            auto* form = new FormSounds(Context());
            form->Load();
            return form;
        });
        Synth().ClearLog();
    }

    VirtualZel1& Synth() { return driver.Synth(); }
    FormSounds* Browser() const {
        return dynamic_cast<FormSounds*>(window->ChildWindow(Child::Sounds));
    }
    QListWidget* List() const { return Browser()->findChild<QListWidget*>("ListView"); }
    // Opens the browser (View, Sounds) and selects a sound.
    void OpenAndSelect(int slot) {
        Action("MenuViewSounds")->trigger();
        List()->setCurrentRow(slot);
    }
    void Activate(QWidget* widget) { window->Host().Activate(widget); }
    // Runs a File or Edit menu command on the browser.
    void Menu(const char* name) {
        Activate(Browser());
        Action(name)->trigger();
    }
    int Requests() {
        int count = 0;
        for (const auto& m : Synth().Received())
            count += m.size() > 5 && (m[5] >> 4) == 2 ? 1 : 0;
        return count;
    }
    std::string SynthName(int slot) { return DisplayName(AsString(Synth().Sound(slot), 0, 10)); }
    static std::string AsString(const RawData& raw, size_t from, size_t count) {
        return std::string(raw.begin() + from, raw.begin() + from + count);
    }
    QList<TestSoundEditor*> Editors() const {
        QList<TestSoundEditor*> found;
        for (QWidget* w : window->Host().Windows()) {
            if (auto* editor = dynamic_cast<TestSoundEditor*>(w))
                found.append(editor);
        }
        return found;
    }
    // Renames the selected sound in place as a user does: F2, type, Enter.
    void Rename(const QString& typed) {
        Menu("MenuEditRename");
        auto* line = List()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        line->setText(typed);
        line->setFocus();
        QTest::keyClick(line, Qt::Key_Return);
        // The editor commits on the next pass of the loop.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    WireMessages TakeSent() { return TakeReceived(Synth()); }
    std::string Path(const char* name) const { return files.Path(name); }

    TempFolder files;
};

TEST_F(SoundBrowserTest, OpeningAgainListsTheHeldSoundsWithoutANewFetch) {
    OpenAndSelect(2);
    ASSERT_EQ(List()->count(), 20);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(List()->item(n)->text().toStdString(), SynthName(n)) << n;
    EXPECT_TRUE(Action("MenuFileNew")->isEnabled());
    EXPECT_TRUE(Action("MenuEditRefresh")->isEnabled());
    Browser()->SoundEditNodes();
    TestSoundEditor* editor = Editors().value(0);
    ASSERT_NE(editor, nullptr);

    window->Host().SubWindowOf(Browser())->close();
    EXPECT_FALSE(Action("MenuFileNew")->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Action("MenuViewSounds")->trigger();
    EXPECT_EQ(Requests(), 1);
    EXPECT_EQ(List()->count(), 20);
    // The editor still edits the very sound the program keeps and saves.
    EXPECT_EQ(editor->GetSound(), library.Sounds().Sound(2));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(SoundBrowserTest, ASilentSynthGivesOneMessageAndAnUnavailableList) {
    Synth().GetFaults().silent = true;
    Action("MenuViewSounds")->trigger();
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_FALSE(List()->isEnabled());
    EXPECT_FALSE(Action("MenuFileOpenAll")->isEnabled());
    EXPECT_FALSE(window->Status().isVisible());
    // Nothing to act on: no pop-up menu.
    QTest::mouseClick(List()->viewport(), Qt::RightButton);
    EXPECT_FALSE(window->SoundMenu()->isVisible());
}

TEST_F(SoundBrowserTest, RenameAsksStoresTheSynthsBytesAndEditorCaptionsFollow) {
    OpenAndSelect(4);
    const std::string before = SynthName(4);
    Browser()->SoundEditNodes();
    Synth().ClearLog();

    Rename("  Strings  ");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0],
              (RecordingMessageSink::Message{"Rename sound '" + before + "' to '  Strings  '?",
                                             "Rename", MessageFlags::OkCancelQuestion}));
    EXPECT_EQ(TakeSent(), NameChanges(4, "Strings   "));
    EXPECT_EQ(List()->item(4)->text(), "Strings");
    EXPECT_EQ(Editors().value(0)->windowTitle(), "Editor - Strings");

    messages.QueueAnswer(MessageFlags::ResultCancel);
    Rename("Other");
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(List()->item(4)->text(), "Strings");

    Rename("");
    EXPECT_EQ(List()->item(4)->text(), "Noname");
    // One byte per character, Latin-1 as the synth shows it; what it cannot hold becomes "?".
    Rename(QString::fromUtf8("Caf\u00e9 \u2603\U0001F3B9 long name"));
    EXPECT_EQ(AsString(Synth().Sound(4), 0, 10), std::string("Caf\xE9 ?? lo"));
    EXPECT_EQ(List()->item(4)->text(), QString::fromUtf8("Caf\u00e9 ?? lo"));

    // Typing takes no more than the synth holds, and the editor stays inside its cell.
    const std::string shown = List()->item(4)->text().toStdString();
    Menu("MenuEditRename");
    auto* line = List()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, "Fretless Bass Deluxe");
    EXPECT_EQ(line->text(), "Fretless B");
    EXPECT_TRUE(List()->visualItemRect(List()->item(4)).contains(line->geometry()));
    QTest::keyClick(line, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.Messages().back().text, "Rename sound '" + shown + "' to 'Fretless B'?");
}

TEST_F(SoundBrowserTest, EditorsAreOnePerKindAndSoundFoundByIdentity) {
    OpenAndSelect(3);
    Browser()->SoundEditNodes();
    List()->setCurrentRow(5);
    Browser()->SoundEditNodes();
    EXPECT_EQ(Editors().size(), 2);

    List()->setCurrentRow(3);
    Menu("MenuEditSoundEditAll");
    const auto editors = Editors();
    ASSERT_EQ(editors.size(), 5);
    EXPECT_EQ(editors[2]->EditorKind(), SoundEditorKind::Lfo);
    EXPECT_EQ(editors[3]->EditorKind(), SoundEditorKind::Modulation);
    EXPECT_EQ(editors[4]->EditorKind(), SoundEditorKind::Envelopes);
    // The node editor that was open already comes to the front instead of a second one.
    EXPECT_EQ(WindowHost::WidgetOf(window->WorkArea().currentSubWindow()), editors[0]);

    // An editor just closed is not found again: a new one opens at once.
    window->Host().SubWindowOf(editors[2])->close();
    Browser()->SoundEditLfo();
    int lfoEditors = 0;
    for (TestSoundEditor* editor : Editors()) {
        if (editor->EditorKind() == SoundEditorKind::Lfo) {
            ++lfoEditors;
            EXPECT_NE(editor, editors[2]);
        }
    }
    EXPECT_EQ(lfoEditors, 1);

    // A right click over a selected item pops the sound menu up.
    Activate(Browser());
    QTest::mouseClick(List()->viewport(), Qt::RightButton, {},
                      List()->visualItemRect(List()->item(3)).center());
    EXPECT_TRUE(window->SoundMenu()->isVisible());
    window->SoundMenu()->hide();
}

TEST_F(SoundBrowserTest, ASavedSoundOpenedIntoAnotherSlotLandsTheSameBytesInTheSynth) {
    OpenAndSelect(3);
    const std::string name = SynthName(3);
    dialogs.Answer(QString::fromStdString(Path("pad.zel")));
    Menu("MenuFileSaveAs");
    ASSERT_EQ(dialogs.Asks().size(), 1u);
    const auto saveAs = dialogs.Asks()[0];
    EXPECT_TRUE(saveAs.save);
    EXPECT_EQ(saveAs.request.title.toStdString(), "Save - " + name);
    EXPECT_EQ(saveAs.request.filter, "Sound (*.zel)|*.zel|Export HTML (*.htm)|*.htm");
    EXPECT_EQ(saveAs.request.initialPath.toStdString(), name);
    EXPECT_EQ(FileBytes(Path("pad.zel")), AsBytes(Synth().Sound(3)));
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "Sound \"" + name + "\" written to " + Path("pad.zel"));

    List()->setCurrentRow(7);
    dialogs.Answer(QString::fromStdString(Path("pad.zel")));
    Menu("MenuFileOpen");
    const auto open = dialogs.Asks()[1];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.request.title, "Open Sound Number 7");
    EXPECT_EQ(open.request.filter, "Sound (*.zel)|*.zel|Import SND files (*.snd)|*.snd");
    EXPECT_EQ(Synth().Sound(7), Synth().Sound(3));
    EXPECT_EQ(List()->item(7)->text().toStdString(), name);
    EXPECT_EQ(library.History().SoundStack(*library.Sounds().Sound(7))->undoText(),
              "Open pad.zel into Sound 7");

    // Save now writes back to the file the sound came from, without a dialog.
    library.Sounds().Sound(7)->SetTranspose(5);
    Menu("MenuFileSave");
    EXPECT_EQ(dialogs.Asks().size(), 2u);
    EXPECT_EQ(FileBytes(Path("pad.zel")), AsBytes(Synth().Sound(7)));

    // A web page is an export: Save still goes to the sound file.
    dialogs.Answer(QString::fromStdString(Path("pad.htm")));
    Menu("MenuFileSaveAs");
    const std::vector<uint8_t> page = FileBytes(Path("pad.htm"));
    EXPECT_EQ(std::string(page.begin(), page.begin() + std::min<size_t>(6, page.size())), "<html>");
    EXPECT_EQ(library.SoundFileName(7).toStdString(), Path("pad.zel"));

    // A new sound and an imported one belong to no file: Save asks where (here: cancelled).
    const std::vector<uint8_t> saved = FileBytes(Path("pad.zel"));
    messages.QueueAnswer(MessageFlags::ResultOk);
    Menu("MenuFileNew");
    EXPECT_EQ(List()->item(7)->text(), "New");
    EXPECT_EQ(SynthName(7), "New");
    EXPECT_FALSE(window->Status().isVisible());
    Menu("MenuFileSave");
    EXPECT_EQ(dialogs.Asks().size(), 4u);
    EXPECT_EQ(dialogs.Asks()[3].request.title, "Save - New");
    RawData snd(kSndFileBytes, 0);
    for (int i = 0; i < 10; ++i)
        snd[136 + i] = static_cast<int16_t>("Imported  "[i]);
    PutFile(Path("old.snd"), AsBytes(snd));
    library.SetSoundFileName(8, QString::fromStdString(Path("pad.zel")));
    List()->setCurrentRow(8);
    dialogs.Answer(QString::fromStdString(Path("old.snd")));
    Menu("MenuFileOpen");
    EXPECT_EQ(SynthName(8), "Imported");
    EXPECT_TRUE(library.SoundFileName(8).isEmpty());
    EXPECT_EQ(FileBytes(Path("pad.zel")), saved);
    EXPECT_EQ(messages.Messages().size(), 1u);  // the New question only
}

TEST_F(SoundBrowserTest, FailedFilesChangeNothingAndSayWhy) {
    OpenAndSelect(9);
    Synth().ClearLog();
    const QString before = List()->item(9)->text();
    PutFile(Path("long.zel"), std::vector<uint8_t>(139, 65));
    dialogs.Answer(QString::fromStdString(Path("long.zel")));
    Menu("MenuFileOpen");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].title, "Open");
    EXPECT_EQ(messages.Messages()[0].flags, MessageFlags::Critical);
    EXPECT_TRUE(Synth().Received().empty());
    EXPECT_EQ(List()->item(9)->text(), before);

    // A cancel ends a command without a word; a failed Save speaks like Save As.
    for (const char* command :
         {"MenuFileOpen", "MenuFileSaveAs", "MenuFileOpenAll", "MenuFileSaveAll"}) {
        dialogs.Answer(QString());
        Menu(command);
    }
    EXPECT_EQ(messages.Messages().size(), 1u);
    library.SetSoundFileName(9, QString::fromStdString(Path("missing/pad.zel")));
    Menu("MenuFileSave");
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].title, "Save As");
    EXPECT_EQ(messages.Messages()[1].flags, MessageFlags::Critical);

    Synth().SetMemoryProtect(true);
    const RawData held = library.Sounds().Sound(9)->EncodeRawSound();
    Menu("MenuEditRefresh");
    ASSERT_GE(messages.Messages().size(), 3u);
    EXPECT_EQ(
        messages.Messages().back(),
        (RecordingMessageSink::Message{"Could not refresh sound.", "", MessageFlags::Exclamation}));
    EXPECT_EQ(library.Sounds().Sound(9)->EncodeRawSound(), held);
    EXPECT_TRUE(QDir(backups.path()).isEmpty());
}

TEST_F(SoundBrowserTest, OpenAllKeepsWhatTheSynthHeldAndRestoresASavedSet) {
    OpenAndSelect(5);
    dialogs.Answer(QString::fromStdString(Path("set.zas")));
    Menu("MenuFileSaveAll");
    RawData file = SynthSounds(Synth());
    file.push_back(0);
    EXPECT_EQ(FileBytes(Path("set.zas")), AsBytes(file));
    EXPECT_EQ(dialogs.Asks()[0].request.title, "Save All Sounds");
    EXPECT_EQ(dialogs.Asks()[0].request.filter, "All Sounds (*.zas)|*.zas");
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              "All 20 sounds written to " + Path("set.zas"));

    library.Sounds().Sound(0)->SetName("Changed");
    library.Sounds().Sound(19)->SetTranspose(-7);
    RawData held = SynthSounds(Synth());
    held.push_back(0);
    dialogs.Answer(QString::fromStdString(Path("set.zas")));
    Menu("MenuFileOpenAll");
    const auto openAll = dialogs.Asks()[1];
    EXPECT_EQ(openAll.request.title, "Open All Sounds");
    EXPECT_EQ(openAll.request.filter, "All Sounds (*.zas)|*.zas|Import ALS files (*.als)|*.als");
    EXPECT_EQ(openAll.request.initialPath.toStdString(), Path("set.zas"));
    EXPECT_EQ(SynthSounds(Synth()), RawData(file.begin(), file.end() - 1));
    EXPECT_EQ(List()->item(0)->text().toStdString(), SynthName(0));
    EXPECT_EQ(List()->currentRow(), 5);
    EXPECT_FALSE(window->Status().isVisible());

    // The backup holds the synth's sounds from just before, and the status bar says where.
    QDir folder(backups.path());
    const QStringList kept = folder.entryList({"*.zas"}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(FileBytes(folder.filePath(kept[0]).toStdString()), AsBytes(held));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(kept[0]));
    // It stays while the pointer passes menu items and toolbar buttons, and after a while.
    QStatusTipEvent hover{QString()};
    QCoreApplication::sendEvent(window.get(), &hover);
    QTest::qWait(20);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(kept[0]));

    EXPECT_TRUE(messages.Messages().empty());
}

// On a 1366x768 screen Edit All lays the four real editors out side by side: none covers
// another, and one whose frame is smaller than its controls scrolls to them.
TEST_F(SoundBrowserTest, EditAllPlacesTheFourEditorsSoNoneHidesAnother) {
    editors = [this](SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound) {
        return static_cast<QWidget*>(MakeSoundEditor(Context(), kind, sound));
    };
    window->resize(1366, 700);
    OpenAndSelect(2);
    Menu("MenuEditSoundEditAll");
    QList<QMdiSubWindow*> frames;
    for (QWidget* editor : window->Host().Windows()) {
        if (dynamic_cast<SoundEditor*>(editor) != nullptr)
            frames << window->Host().SubWindowOf(editor);
    }
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(WindowHost::WidgetOf(window->WorkArea().currentSubWindow())->objectName(),
              "FormNodes");
    const QRect area = window->WorkArea().viewport()->rect();
    for (qsizetype i = 0; i < frames.size(); ++i) {
        EXPECT_TRUE(area.contains(frames[i]->geometry()));
        for (qsizetype j = i + 1; j < frames.size(); ++j)
            EXPECT_FALSE(frames[i]->geometry().intersects(frames[j]->geometry()));
        const QWidget* editor = WindowHost::WidgetOf(frames[i]);
        EXPECT_GE(editor->width(), editor->minimumSizeHint().width());
        EXPECT_GE(editor->height(), editor->minimumSize().height());
    }
}
