#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include "ShellFixture.h"
#include "core/FileTestSupport.h"
#include "core/SoundTestSupport.h"
#include "model/ClassSounds.h"
#include "platform/MessageSink.h"
#include "tables/SoundLayout.h"
#include "ui/app/DeviceWatch.h"
#include "ui/app/FormMidiMonitor.h"
#include "ui/app/UndoMenu.h"
#include "ui/common/EditHistory.h"
#include "ui/common/WindowHost.h"
#include "ui/editors/FormNodes.h"
#include "ui/library/FormGroups.h"
#include "ui/library/FormSounds.h"

// Ordinary paths through the library windows that must not lose a file, a sound or a group:
// the browser and the group editor in the main window on the virtual ZEL-1, with real node
// editors, the Edit menu's undo, scripted file dialogs and message boxes.
class KeptWorkTest : public ShellFixture {
  protected:
    static constexpr int kSlot = 3;

    void SetUp() override {
        SaveSynthPorts();
        editors = [this](SoundEditorKind, const std::shared_ptr<ClassSound>& sound) {
            auto* nodes = new FormNodes(Context());
            nodes->SetSound(sound);
            return nodes;
        };
        Start();
        new UndoMenu(*window, window->Host().Area(), library.History());  // owned by the window
        window->SetChildFactory(Child::Sounds, [this] {
            auto* form = new FormSounds(Context());
            form->Load();
            return form;
        });
        window->SetChildFactory(Child::Groups, [this] {
            auto* form = new FormGroups(Context());
            form->Load();
            return form;
        });
    }

    VirtualZel1& Synth() { return driver.Synth(); }
    WireMessages Sent() { return TakeReceived(Synth()); }
    QString Path(const char* name) const { return QString::fromStdString(files.Path(name)); }
    std::vector<uint8_t> Bytes(const char* name) const { return FileBytes(files.Path(name)); }

    FormSounds* Browser() const {
        return dynamic_cast<FormSounds*>(window->ChildWindow(Child::Sounds));
    }
    QListWidget* List(QWidget* form) const { return form->findChild<QListWidget*>("ListView"); }
    // View "Sounds", then the slot's item picked with the keyboard.
    void OpenBrowserAt(int slot) {
        Action("MenuViewSounds")->trigger();
        List(Browser())->setCurrentRow(slot);
    }
    // A menu command, answered by the file dialog with path (none: a cancel).
    void Menu(const char* name, const std::optional<QString>& path = std::nullopt) {
        if (path)
            dialogs.Answer(*path);
        QAction* action = Action(name);
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    // A sound file holding the synth's sound `from` under another (ten-character) name.
    QString SoundFile(const char* file, const char* name, int from) {
        RawData raw = Synth().Sound(from);
        for (int i = 0; i < 10; ++i)
            raw[i] = static_cast<int16_t>(name[i]);
        PutFile(files.Path(file), AsBytes(raw));
        return Path(file);
    }

    TempFolder files;
};

TEST_F(KeptWorkTest, UndoOfOpenAndOpenAllLeaveNoFileThatSaveWouldOverwrite) {
    OpenBrowserAt(kSlot);
    const RawData before = Synth().Sound(kSlot);
    const QString pad = SoundFile("Pad.zel", "Pad       ", 9);
    const std::vector<uint8_t> padBytes = FileBytes(pad.toStdString());
    Menu("MenuFileOpen", pad);
    ASSERT_EQ(library.SoundFileName(kSlot), pad);

    // Undo puts the old sound and its (lack of a) file back: Save asks, and is cancelled here.
    Menu("MenuEditUndo");
    EXPECT_EQ(Synth().Sound(kSlot), before);
    const size_t asked = dialogs.Asks().size();
    Menu("MenuFileSave");
    ASSERT_EQ(dialogs.Asks().size(), asked + 1);
    EXPECT_TRUE(dialogs.Asks().back().save);
    EXPECT_EQ(FileBytes(pad.toStdString()), padBytes);
    // Redo gives the file back with the sound.
    Menu("MenuEditRedo");
    EXPECT_EQ(library.SoundFileName(kSlot), pad);

    // After Open All no slot belongs to the file it came from before.
    Menu("MenuFileSaveAll", Path("set.zas"));
    Menu("MenuFileOpenAll", Path("set.zas"));
    Menu("MenuFileSave");
    EXPECT_EQ(dialogs.Asks().size(), asked + 4);
    EXPECT_TRUE(dialogs.Asks().back().save);
    EXPECT_EQ(FileBytes(pad.toStdString()), padBytes);

    // The same for a group: its undone Open leaves no file behind.
    Action("MenuViewGroups")->trigger();
    auto* groups = dynamic_cast<FormGroups*>(window->ChildWindow(Child::Groups));
    ASSERT_NE(groups, nullptr);
    Menu("MenuFileSaveAs", Path("strings.zeg"));
    const std::vector<uint8_t> groupBytes = Bytes("strings.zeg");
    const RawData other = Synth().Group(5);
    PutFile(files.Path("other.zeg"), AsBytes(other));
    Menu("MenuFileOpen", Path("other.zeg"));
    Menu("MenuEditUndo");
    EXPECT_EQ(library.GroupFileName(0), Path("strings.zeg"));
    const size_t groupAsked = dialogs.Asks().size();
    Menu("MenuFileSave");
    EXPECT_EQ(dialogs.Asks().size(), groupAsked);
    EXPECT_EQ(Bytes("other.zeg"), AsBytes(other));
    EXPECT_EQ(Bytes("strings.zeg"), groupBytes);
}

TEST_F(KeptWorkTest, SaveWhileComparingSavesTheEditAndOpenRenewsTheReference) {
    OpenBrowserAt(kSlot);
    const auto sound = library.Sounds().Sound(kSlot);
    sound->SetAlgorithm(12);  // Waves 1: oscillator 2 has a detune row
    Browser()->SoundEditNodes();
    auto* nodes = window->Host().Find<FormNodes>();
    ASSERT_NE(nodes, nullptr);
    // An edit by the hand, then Compare down: the synth plays the version from before.
    const RawData reference = Synth().Sound(kSlot);
    QScrollBar* detune = nodes->findChild<QScrollBar*>("FlatScrollBarDetune_1");
    ASSERT_NE(detune, nullptr);
    detune->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const RawData edited = Synth().Sound(kSlot);
    ASSERT_NE(edited, reference);
    auto* compare = nodes->findChild<QPushButton*>("CommandCompare");
    compare->click();
    ASSERT_EQ(Synth().Sound(kSlot), reference);

    // Save from the browser writes the edit and ends the comparison, saying so.
    library.SetSoundFileName(kSlot, Path("mine.zel"));
    window->Host().Activate(Browser());
    Menu("MenuFileSave");
    EXPECT_EQ(Bytes("mine.zel"), AsBytes(edited));
    EXPECT_EQ(Synth().Sound(kSlot), edited);
    EXPECT_FALSE(compare->isChecked());
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(SoundFileCommands::kCompareEnded));

    // A file opened into the slot is what Compare compares against from then on.
    Menu("MenuFileOpen", SoundFile("opened.zel", "Opened    ", 11));
    const RawData opened = Synth().Sound(kSlot);
    compare->click();
    EXPECT_EQ(Synth().Sound(kSlot), opened);
    EXPECT_EQ(sound->EncodeRawSound(), opened);
}

TEST_F(KeptWorkTest, ACloseAskedForInsideAnExchangesBoxRunsOnceAfterTheCommand) {
    Synth().GetFaults().silent = true;
    int closes = 0;
    messages.WhileShown([&](const RecordingMessageSink::Message& shown) {
        if (shown.text != "Timeout waiting for message from ZEL-1" || closes++ > 0)
            return;
        // The accessibility layer's Close All and a session's logout, inside the box.
        Action("MenuWinCloseAll")->trigger();
        window->close();
    });
    Action("MenuViewSounds")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ChildWindow(Child::Sounds), nullptr);
    EXPECT_EQ(midi.MidiInHandle(), 0u);
    EXPECT_EQ(store.Writes(), SettingsWrites("0", kSynth, kSynth));  // unloaded once
}

TEST_F(KeptWorkTest, GroupUndoGoesBackByParameterChangesAndNamesStayLatin1) {
    Action("MenuViewGroups")->trigger();
    auto* groups = dynamic_cast<FormGroups*>(window->ChildWindow(Child::Groups));
    ASSERT_NE(groups, nullptr);
    const auto group = groups->CurrentGroup();
    const int pan = group->Bank(0)->Pan();
    Sent();
    groups->findChild<QScrollBar*>("FlatScrollBarVolume")
        ->triggerAction(QAbstractSlider::SliderSingleStepSub);
    groups->findChild<QScrollBar*>("FlatScrollBarPan")
        ->triggerAction(pan > -7 ? QAbstractSlider::SliderSingleStepSub
                                 : QAbstractSlider::SliderSingleStepAdd);
    Sent();
    Menu("MenuEditUndo");
    EXPECT_EQ(Sent(), (WireMessages{Parameter(40, 3, pan & 0xFF)}));  // no group dump
    EXPECT_TRUE(group->HasChanged());

    // A rename keeps one byte a letter, on the wire and in the list.
    QListWidget* list = List(groups);
    Menu("MenuEditRename");
    auto* editor = list->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Caf\u00e9 \u20ac"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Sent(), NameChanges(48, "Caf\xE9 ?    "));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Caf\u00e9 ?"));

    // Leaving the changed group still asks to commit it.
    messages.Clear();
    messages.QueueAnswer(MessageFlags::ResultCancel);
    window->ChildWindow(Child::Groups)->findChild<QPushButton*>("CommandOk")->click();
    ASSERT_FALSE(messages.Messages().empty());
    EXPECT_EQ(messages.Messages()[0].text,
              QStringLiteral("'Caf\u00e9 ?' has been changed. Commit to synth?").toStdString());
}

TEST_F(KeptWorkTest, TheEditMenuAndSaveFollowTheBrowserAfterAClickAndAClosedEditor) {
    // The audition window is loaded hidden from the start.
    auto* hidden = new QWidget;
    window->Host().Add(hidden);
    window->Host().SubWindowOf(hidden)->hide();
    OpenBrowserAt(kSlot);
    QListWidget* list = List(Browser());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(7)).center());
    library.History().RecordSound(*library.Sounds().Sound(7),
                                  [this] { library.Sounds().Sound(7)->SetTranspose(3); });
    EXPECT_TRUE(Action("MenuEditUndo")->isEnabled());

    Browser()->SoundEditNodes();
    QWidget* nodes = window->Host().Find<FormNodes>();
    ASSERT_NE(nodes, nullptr);
    window->Host().SubWindowOf(nodes)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Host().Area().currentSubWindow(), window->Host().SubWindowOf(Browser()));
    Menu("MenuFileSave", Path("seven.zel"));
    EXPECT_EQ(Bytes("seven.zel"), AsBytes(Synth().Sound(7)));

    // An active editor's sound is what Save and Save As write, whatever the browser selects.
    Browser()->SoundEditNodes();
    QWidget* seven = window->Host().Find<FormNodes>();
    List(Browser())->setCurrentRow(5);
    Browser()->SoundEditNodes();
    window->Host().Area().setActiveSubWindow(window->Host().SubWindowOf(seven));
    EXPECT_EQ(Browser()->SelectedSlot(), 5);
    EXPECT_FALSE(Action("MenuEditRename")->isEnabled());
    Menu("MenuFileSaveAs", Path("other.zel"));
    EXPECT_EQ(Bytes("other.zel"), AsBytes(Synth().Sound(7)));
    PutFile(files.Path("other.zel"), {});
    Menu("MenuFileSave");
    EXPECT_EQ(Bytes("other.zel"), AsBytes(Synth().Sound(7)));
}

TEST_F(KeptWorkTest, PortsAreReportedGoneOnlyWhenTheSystemNoLongerListsThem) {
    ASSERT_TRUE(midi.OpenInPort(0));  // "USB MIDI Interface" in, the synth out
    DeviceWatch watch(midi, *window);
    watch.Look();
    driver.FailNextListing();
    watch.Look();
    watch.Look();
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(PortsOpen());

    driver.Unplug("USB MIDI Interface");
    watch.Look();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "The ZEL-1's ports \"USB MIDI Interface\" and \"ZEL-1 Emulator\" have gone; they "
              "open again when they return.");
    driver.PlugIn({"USB MIDI Interface"}, {"USB MIDI Interface"});
    watch.Look();
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "The ZEL-1's ports \"USB MIDI Interface\" and \"ZEL-1 Emulator\" are back and open "
              "again.");
}

TEST_F(KeptWorkTest, TheMonitorListsPlayedNotesAndSaysWhatItDropped) {
    window->SetChildFactory(Child::MidiMonitor,
                            [this] { return new FormMidiMonitor(midi.Tap(), clock); });
    Action("MenuViewMidiMonitor")->trigger();
    auto* monitor = qobject_cast<FormMidiMonitor*>(window->ChildWindow(Child::MidiMonitor));
    ASSERT_NE(monitor, nullptr);
    // A note from the on-screen keyboard, then more input at once than the monitor can hold.
    ASSERT_TRUE(midi.SendShortMessage(0x00643C90));
    for (int n = 0; n < 600; ++n)
        driver.InjectShort(0x00003C80);
    midi.ProcessEvents();
    monitor->Poll();
    auto* table = monitor->findChild<QTableWidget*>("ListMessages");
    ASSERT_GE(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 1)->text(), "Out");
    EXPECT_EQ(table->item(0, 2)->text(), "90 3C 64");
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->item(last, 3)->text(),
              QString::number(600 - last + 1) + " messages not shown (too many at once)");
}

TEST_F(KeptWorkTest, NothingOvertakesASoundDumpOnTheCable) {
    OpenBrowserAt(kSlot);
    midi.Tap().SetWatching(true);
    midi.Tap().Take();
    // The synth says something while the editor listens for a refusal of the dump.
    driver.Inject(Frame(0x00, {0, 0, 0, 0}), 0.02);
    Menu("MenuFileOpen", SoundFile("open.zel", "Opened    ", 11));
    std::vector<MidiTap::Seen> sent;
    for (MidiTap::Seen& seen : midi.Tap().Take()) {
        if (seen.direction == MidiTap::Direction::Out)
            sent.push_back(std::move(seen));
    }
    ASSERT_GE(sent.size(), 2u);
    EXPECT_GT(sent[0].length, 200u);  // the sound dump first
    for (size_t i = 1; i < sent.size(); ++i) {
        const double leftCable = sent[i - 1].time + sent[i - 1].length / 3125.0;
        EXPECT_GE(sent[i].time, leftCable - 1e-9) << i;
    }
}
