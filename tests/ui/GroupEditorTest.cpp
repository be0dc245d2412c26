#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>

#include "ShellFixture.h"
#include "core/FileTestSupport.h"
#include "core/SoundTestSupport.h"
#include "midi/ModuleGlobals.h"
#include "platform/MessageSink.h"
#include "ui/app/UndoMenu.h"
#include "ui/common/EditHistory.h"
#include "ui/common/WindowHost.h"
#include "ui/library/FormGroups.h"
#include "ui/widgets/KeySplitView.h"

// The group editor on the virtual ZEL-1, opened from the View menu and driven through its
// controls.
class GroupEditorTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        window->SetChildFactory(Child::Groups, [this] {
            auto* groups = new FormGroups(Context());
            groups->Load();
            return groups;
        });
    }

    VirtualZel1& Synth() { return driver.Synth(); }
    WireMessages Sent() { return TakeReceived(Synth()); }

    FormGroups* Open() {
        Sent();
        window->ViewGroups();
        form = dynamic_cast<FormGroups*>(window->ChildWindow(Child::Groups));
        return form;
    }
    void Close() {
        window->ChildWindow(Child::Groups)->findChild<QPushButton*>("CommandOk")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form = nullptr;
    }

    template <class T>
    T* Find(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QListWidget* List() const { return Find<QListWidget>("ListView"); }
    // A click on group n's item in the list, as the mouse makes it.
    void Click(int n, Qt::MouseButton button = Qt::LeftButton) {
        QListWidget* list = List();
        QTest::mouseClick(list->viewport(), button, {},
                          list->visualItemRect(list->item(n)).center());
        QCoreApplication::processEvents();
    }
    void Type(const char* row, const QString& text) {
        QLineEdit* box = Find<QLineEdit>((std::string("Text") + row).c_str());
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QString Text(const char* row) const {
        return Find<QLineEdit>((std::string("Text") + row).c_str())->text();
    }
    QScrollBar* Bar(const char* row) const {
        return Find<QScrollBar>((std::string("FlatScrollBar") + row).c_str());
    }
    int Shown(const char* combo) const { return Find<QComboBox>(combo)->currentIndex(); }

    static bool IsGroupDump(const WireMessage& m) {
        return m.size() > 6 && m[5] == 0x10 && m[6] == 2;
    }
    static bool IsDump(const WireMessage& m) { return m.size() > 5 && m[5] == 0x10; }
    static WireMessage Request(int kind, int number) {
        return number < 0 ? Frame(0x20, {kind}) : Frame(0x20, {kind, number});
    }

    std::string Stored(const char* name) const {
        std::string stored = name;
        stored.resize(10, ' ');
        return stored;
    }

    TempFolder files;
    FormGroups* form = nullptr;
};

TEST_F(GroupEditorTest, LoadShowsGroupZeroAndEveryBankControlSendsItsWireBytes) {
    RawData group0 = Synth().Group(0);
    group0[16] = 120;  // bank 0 volume above the row's range
    group0[24] = 20;   // pan 20, beyond -7..7
    Synth().SetGroup(0, group0);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Sent(), (WireMessages{Request(3, -1), Request(2, 0), Parameter(50, 0, 0)}));
    EXPECT_EQ(Bar("Volume")->accessibleName(), "Volume");  // for screen readers
    ASSERT_EQ(List()->count(), 20);
    for (int n = 0; n < 20; ++n) {
        ClassGroup decoded(midi);
        decoded.DecodeRawGroup(Synth().Group(n));
        EXPECT_EQ(List()->item(n)->text().toStdString(), decoded.Name()) << n;
    }
    EXPECT_TRUE(Action("MenuFileSaveAll")->isEnabled());
    EXPECT_FALSE(Action("MenuEditRefresh")->isEnabled());

    // Bank 0 as the synth holds it; values outside a row's range are shown clamped.
    EXPECT_EQ(Find<QTabBar>("TabStrip")->currentIndex(), 0);
    EXPECT_EQ(Shown("ComboSound"), group0[0]);
    EXPECT_EQ(Shown("ComboMidiChannel"), group0[8]);
    EXPECT_EQ(Text("Volume"), "99");
    EXPECT_EQ(Text("Pan"), "7");
    EXPECT_EQ(Text("LowSplit"), QString::fromStdString(NoteName(group0[56] - 24)));

    Type("Volume", "150");
    Type("Detune", "-30");
    Type("Pan", "7");  // the same as shown: the stored 20 stays
    Find<QComboBox>("ComboMidiChannel")->activated(0);
    Find<QCheckBox>("CheckModLfo")->click();
    Bar("LowSplit")->setValue(102);
    const int switches = (group0[32] & 0x3F) ^ 0x20;
    EXPECT_EQ(Sent(),
              (WireMessages{Parameter(40, 2, 99), Parameter(40, 6, 256 - 19), Parameter(40, 1, 0),
                            Parameter(40, 4, switches), Parameter(40, 7, 102)}));
    EXPECT_EQ(Text("Volume"), "99");
    EXPECT_EQ(Text("Detune"), "-19");
    EXPECT_EQ(Text("LowSplit"), "F#6");
    const RawData held = Synth().Group(0);
    EXPECT_EQ((std::vector<int>{held[16], held[24], held[48], held[8], held[56]}),
              (std::vector<int>{99, 20, 237, 0, 102}));
    const KeySplitLayout::Bar& split = form->findChild<KeySplitView*>()->Layout().BarOf(0);
    EXPECT_EQ(split.empty, held[64] < 102) << "the split view follows the bank";
    EXPECT_EQ(split.first, split.empty ? 0 : 102 - 24);
    auto* view = form->findChild<KeySplitView*>();
    EXPECT_EQ(view->accessibleName(), "Key ranges, Group Editor");
    EXPECT_TRUE(view->accessibleDescription().startsWith(
        split.empty ? QStringLiteral("Bank 1: no keys")
                    : QStringLiteral("Bank 1: F#6 to %1")
                          .arg(QString::fromStdString(NoteName(held[64] - 24)))))
        << view->accessibleDescription().toStdString();

    // Another tab shows that bank; its edits address it.
    Find<QTabBar>("TabStrip")->setCurrentIndex(5);
    EXPECT_EQ(Shown("ComboSound"), held[5]);
    Type("Transpose", "-3");
    EXPECT_EQ(Sent(), (WireMessages{Parameter(45, 5, 256 - 3)}));
}

TEST_F(GroupEditorTest, SelectingAGroupAsksToCommitAChangedOneAndRereadsTheNewOne) {
    ASSERT_NE(Open(), nullptr);
    Sent();
    Click(0);
    EXPECT_TRUE(Sent().empty()) << "the current group is neither asked about nor read again";
    EXPECT_TRUE(messages.Messages().empty());

    const int volume = Synth().Group(0)[16];
    Bar("Volume")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    Bar("Volume")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Sent(), (WireMessages{Parameter(40, 2, volume - 1), Parameter(40, 2, volume - 2)}));

    const std::string name0 = form->CurrentGroup()->Name();
    messages.QueueAnswer(MessageFlags::ResultCancel);
    Click(2);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0],
              (RecordingMessageSink::Message{"'" + name0 + "' has been changed. Commit to synth?",
                                             "Group Editor", MessageFlags::OkCancelQuestion}));
    EXPECT_EQ(Sent(), (WireMessages{Request(2, 2), Parameter(50, 0, 2)}));
    EXPECT_EQ(Synth().Group(0)[16], volume - 2) << "the steps stay with the synth";
    EXPECT_EQ(form->CurrentGroup()->GroupNumber(), 2);
    EXPECT_EQ(Shown("ComboSound"), Synth().Group(2)[0]);

    // OK commits the whole group before the next one is read.
    messages.Clear();
    Type("Volume", "11");
    Sent();
    Click(3);
    const WireMessages sent = Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_TRUE(IsGroupDump(sent[0]));
    EXPECT_EQ(sent[1], Request(2, 2)) << "the committed group is read back";
    EXPECT_EQ(sent[2], Request(2, 3));
    EXPECT_EQ(Synth().Group(2)[16], 11);
    Click(5, Qt::RightButton);
    EXPECT_EQ(form->CurrentGroup()->GroupNumber(), 5);
    EXPECT_TRUE(window->GroupMenu()->isVisible()) << "the group's pop-up menu";
    window->GroupMenu()->hide();

    // Closing with an unchanged group asks nothing; reopening reads only group 0 (the
    // collection outlives the window).
    messages.Clear();
    Close();
    EXPECT_TRUE(messages.Messages().empty());
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Sent(), (WireMessages{Request(2, 0), Parameter(50, 0, 0)}));
}

TEST_F(GroupEditorTest, AFailedReadLeavesThePreviousGroupCurrentOrTheBanksUnavailable) {
    ASSERT_NE(Open(), nullptr);
    Click(4);
    const int soundShown = Shown("ComboSound");
    Sent();
    Synth().GetFaults().silent = true;
    Click(7);
    EXPECT_FALSE(messages.Messages().empty()) << "the exchange says why";
    EXPECT_EQ(form->CurrentGroup()->GroupNumber(), 4);
    EXPECT_EQ(List()->currentRow(), 4);
    EXPECT_EQ(Synth().SelectedGroup(), 4);
    EXPECT_EQ(Shown("ComboSound"), soundShown);
    Type("Volume", "12");
    EXPECT_EQ(Synth().Group(4)[16], 12) << "edits still reach the group shown";

    // Reopened while the synth does not answer: no bank can be reached.
    Close();
    messages.Clear();
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(form->CurrentGroup(), nullptr);
    EXPECT_FALSE(Find<QComboBox>("ComboSound")->isEnabled());
    EXPECT_FALSE(Find<QTabBar>("TabStrip")->isEnabled());
    EXPECT_TRUE(List()->isEnabled());
    Sent();
    messages.QueueAnswer(MessageFlags::ResultOk);
    form->DocumentNew();
    form->DocumentRename();
    EXPECT_TRUE(Sent().empty());

    Synth().GetFaults().silent = false;
    Click(1);
    EXPECT_EQ(form->CurrentGroup()->GroupNumber(), 1);
    EXPECT_TRUE(Find<QComboBox>("ComboSound")->isEnabled());
}

TEST_F(GroupEditorTest, RenameAndNewChangeTheCurrentGroupsItemAndForgetItsFile) {
    ASSERT_NE(Open(), nullptr);
    const std::string old = form->CurrentGroup()->Name();
    const QString item4 = List()->item(4)->text();
    List()->setCurrentRow(4);  // the keyboard moves the selection; group 0 stays current
    Sent();
    Action("MenuEditRename")->trigger();
    auto* editor = List()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Pads");
    messages.QueueAnswer(MessageFlags::ResultOk);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.Messages().at(0),
              (RecordingMessageSink::Message{"Rename group '" + old + "' to 'Pads'?", "Rename",
                                             MessageFlags::OkCancelQuestion}));
    EXPECT_EQ(List()->item(0)->text(), "Pads");
    EXPECT_EQ(List()->item(4)->text(), item4);
    EXPECT_EQ(Sent(), NameChanges(48, Stored("Pads")));

    library.SetGroupFileName(0, QString::fromStdString(files.Path("old.zeg")));
    messages.QueueAnswer(MessageFlags::ResultCancel);
    form->DocumentNew();
    EXPECT_TRUE(Sent().empty());
    messages.QueueAnswer(MessageFlags::ResultOk);
    Find<QTabBar>("TabStrip")->setCurrentIndex(3);
    form->DocumentNew();
    EXPECT_EQ(messages.Messages().back().title, "New Group");
    EXPECT_EQ(messages.Messages().back().flags, MessageFlags::OkCancel | MessageFlags::Exclamation);
    const WireMessages defaults = Sent();
    ASSERT_EQ(defaults.size(), 8u * 9u + 10u + 1u);
    EXPECT_EQ(defaults.back(), Request(2, 0)) << "the new group is read back";
    EXPECT_EQ(window->statusBar()->currentMessage(), "Verified");
    EXPECT_EQ(List()->item(0)->text(), "New");
    EXPECT_EQ(List()->item(4)->text(), item4);
    EXPECT_EQ(Find<QTabBar>("TabStrip")->currentIndex(), 0);
    EXPECT_EQ(Text("Volume"), "99");
    EXPECT_EQ(library.GroupFileName(0), "");
}

TEST_F(GroupEditorTest, GroupFilesHoldTheSynthsBytesAndOpeningOneShowsIt) {
    ASSERT_NE(Open(), nullptr);
    Click(6);
    const std::string saved = files.Path("six.zeg");
    dialogs.Answer(QString::fromStdString(saved));
    Action("MenuFileSaveAs")->trigger();
    ASSERT_EQ(dialogs.Asks().size(), 1u);
    EXPECT_TRUE(dialogs.Asks()[0].save);
    EXPECT_EQ(dialogs.Asks()[0].request.title,
              QString::fromStdString("Save - " + form->CurrentGroup()->Name()));
    EXPECT_EQ(dialogs.Asks()[0].request.filter, "Group (*.zeg)|*.zeg");
    EXPECT_EQ(FileBytes(saved), AsBytes(Synth().Group(6)));

    // Save writes to that file again without asking.
    Type("Volume", "5");
    Action("MenuFileSave")->trigger();
    EXPECT_EQ(dialogs.Asks().size(), 1u);
    EXPECT_EQ(FileBytes(saved)[16 + 0], 5);

    // An 83-byte file sends nothing; a cancelled dialog says nothing.
    PutFile(files.Path("long.zeg"), std::vector<uint8_t>(83, 1));
    dialogs.Answer(QString::fromStdString(files.Path("long.zeg")));
    dialogs.Answer(std::nullopt);
    Sent();
    messages.Clear();
    form->DocumentOpen();
    form->DocumentOpen();
    EXPECT_TRUE(Sent().empty());
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].title, "Group Editor");
    EXPECT_EQ(messages.Messages()[0].flags, MessageFlags::Critical);
    EXPECT_EQ(dialogs.Asks().back().request.title, "Open Group Number 6");

    // Opening a group file into slot 6 lands its bytes there and shows bank 1 of it.
    RawData other = Synth().Group(11);
    other[0] = 42;
    const std::string opened = files.Path("eleven.zeg");
    PutFile(opened, AsBytes(other));
    Find<QTabBar>("TabStrip")->setCurrentIndex(2);
    dialogs.Answer(QString::fromStdString(opened));
    form->DocumentOpen();
    EXPECT_EQ(Synth().Group(6), other);
    EXPECT_EQ(Find<QTabBar>("TabStrip")->currentIndex(), 0);
    EXPECT_EQ(Shown("ComboSound"), 42);
    EXPECT_EQ(List()->item(6)->text().toStdString(), form->CurrentGroup()->Name());
    EXPECT_EQ(library.GroupFileName(6).toStdString(), opened);

    // A failed Save is reported like a failed Save As.
    library.SetGroupFileName(6, QString::fromStdString(files.Path("missing/six.zeg")));
    messages.Clear();
    form->DocumentSave();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].flags, MessageFlags::Critical);
}

TEST_F(GroupEditorTest, OpenAllBacksUpTheSynthsGroupsFirstAndRemembersThePath) {
    ASSERT_NE(Open(), nullptr);
    const RawData before = SynthGroups(Synth());
    const std::string all = files.Path("all.zag");
    dialogs.Answer(QString::fromStdString(all));
    form->SaveAll();
    EXPECT_EQ(FileBytes(all), AsBytes(before));

    PutFile(files.Path("big.zag"), std::vector<uint8_t>(1642, 3));
    dialogs.Answer(QString::fromStdString(files.Path("big.zag")));
    Sent();
    form->OpenAll();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(messages.Messages().back().flags, MessageFlags::Critical);
    EXPECT_TRUE(QDir(backups.path()).entryList(QDir::Files).isEmpty());

    // 1,641 bytes: the first 1,640 are the groups.
    RawData incoming = Pattern(1641, 9);
    for (int n = 0; n < 20; ++n)
        for (int i = 0; i < 10; ++i)
            incoming[82 * n + 72 + i] = static_cast<int16_t>('A' + (n + i) % 26);
    const std::string in = files.Path("in.zag");
    PutFile(in, AsBytes(incoming));
    dialogs.Answer(QString::fromStdString(in));
    form->OpenAll();
    EXPECT_EQ(dialogs.Asks().back().request.title, "Open All Groups");
    EXPECT_EQ(SynthGroups(Synth()), RawData(incoming.begin(), incoming.begin() + 1640));
    const QStringList taken = QDir(backups.path()).entryList(QDir::Files);
    ASSERT_EQ(taken.size(), 1);
    EXPECT_TRUE(taken[0].endsWith(".zag"));
    EXPECT_EQ(FileBytes(backups.filePath(taken[0]).toStdString()), AsBytes(before));
    EXPECT_EQ(List()->item(7)->text().toStdString(), std::string("HIJKLMNOPQ"));
    EXPECT_EQ(form->CurrentGroup()->GroupNumber(), 0);
    EXPECT_EQ(Shown("ComboSound"), incoming[0]);

    dialogs.Answer(std::nullopt);
    form->SaveAll();
    EXPECT_EQ(dialogs.Asks().back().request.initialPath.toStdString(), in);

    // A second Open All at once (within the same second, as a rule) keeps the first backup.
    dialogs.Answer(QString::fromStdString(all));
    form->OpenAll();
    const QStringList both = QDir(backups.path()).entryList(QDir::Files);
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(FileBytes(backups.filePath(taken[0]).toStdString()), AsBytes(before));
    EXPECT_EQ(SynthGroups(Synth()), before);
}

TEST_F(GroupEditorTest, UserSoundsShowTheirNamesOnceTheSoundsWereRead) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Find<QComboBox>("ComboSound")->itemText(3), "    3");
    ASSERT_TRUE(library.Sounds().GetSoundsFromSynth());
    Find<QTabBar>("TabStrip")->setCurrentIndex(1);
    const std::string name = library.Sounds().Sound(3)->Name();
    EXPECT_EQ(Find<QComboBox>("ComboSound")->itemText(3).toStdString(), "    3  " + name);
    EXPECT_EQ(Find<QComboBox>("ComboSound")->itemText(20), "20 ChorStrPad");
}

TEST_F(GroupEditorTest, UndoPutsTheGroupBackAsItsEditsWentOutAndShowsIt) {
    new UndoMenu(*window, window->Host().Area(), library.History());  // owned by the window
    ASSERT_NE(Open(), nullptr);
    const int volume = Synth().Group(0)[16];
    Bar("Volume")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    Bar("Volume")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    Sent();
    QAction* undo = window->findChild<QAction*>("MenuEditUndo");
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo Volume of Bank 1");
    undo->trigger();
    const WireMessages sent = Sent();
    EXPECT_EQ(sent, (WireMessages{Parameter(40, 2, volume - 1)}));  // no dump stores it
    EXPECT_EQ(Synth().Group(0)[16], volume - 1);
    EXPECT_EQ(Text("Volume"), QString::number(volume - 1));
}
