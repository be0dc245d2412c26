#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include "ShellFixture.h"
#include "platform/MessageSink.h"
#include "ui/app/MenuStates.h"

class MainWindowTest : public ShellFixture {
  protected:
    void SetUp() override {
        SaveSynthPorts();
        Start();
        // The tests tick the activity timer themselves.
        window->findChild<QTimer*>("TimerMidi")->stop();
    }

    QAction* Button(const char* key) const {
        return window->findChild<QToolBar*>("Toolbar")->findChild<QAction*>(key);
    }

    // The names of the document commands that are enabled now, menus and toolbar.
    QStringList Enabled() const {
        QStringList enabled;
        for (const QString& name : MenuStates::DocumentMenuItems()) {
            if (window->findChild<QAction*>(name)->isEnabled())
                enabled << name;
        }
        for (const QString& key : MenuStates::DocumentToolbarKeys()) {
            if (Button(key.toLatin1().constData())->isEnabled())
                enabled << key;
        }
        return enabled;
    }

    QString Panel(int n) const {
        return window->findChild<QLabel*>(QStringLiteral("StatusBarPanel_%1").arg(n))->text();
    }
};

TEST_F(MainWindowTest, MenusToolbarAndStatusBarStartAsDescribedAndAboutShowsTheVersion) {
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        bool enabled;
    };
    const Item items[] = {
        {"MenuFileNew", "New", QKeySequence("Ctrl+N"), false},
        {"MenuFileOpen", "Open", QKeySequence("Ctrl+O"), false},
        {"MenuFileSave", "Save", QKeySequence("Ctrl+S"), false},
        {"MenuFileSaveAs", "Save as...", {}, false},
        {"MenuFileOpenAll", "Open All", {}, false},
        {"MenuFileSaveAll", "Save All", {}, false},
        {"MenuFileExit", "Exit", {}, true},
        {"MenuEditUndo", "Undo", QKeySequence("Ctrl+Z"), false},
        {"MenuEditRedo", "Redo", QKeySequence("Ctrl+Shift+Z"), false},
        {"MenuEditRename", "Rename", QKeySequence("F2"), false},
        {"MenuEditRefresh", "Refresh Synth", QKeySequence("F5"), false},
        {"MenuEditSound", "Sound", {}, false},
        {"MenuEditSoundEditNodes", "Edit Nodes", {}, true},
        {"MenuEditSoundEditEnvelopes", "Edit Envelopes", {}, true},
        {"MenuEditSoundEditLfo", "Edit LFO", {}, true},
        {"MenuEditSoundEditModulation", "Edit Modulation", {}, true},
        {"MenuEditSoundEditAll", "Edit All", QKeySequence("Ctrl+A"), true},
        {"MenuEditVary", "Vary...", {}, true},
        {"MenuViewSounds", "Sounds", {}, true},
        {"MenuViewGroups", "Groups", {}, true},
        {"MenuViewUtility", "Utility", {}, true},
        {"MenuViewAudition", "Audition", {}, true},
        {"MenuViewSettings", "Settings", {}, true},
        {"MenuWinCloseAll", "Close All", {}, true},
        {"MenuWinCascade", "Cascade", {}, true},
        {"MenuWinTileHorizonal", "Tile Horizontally", {}, true},
        {"MenuWinTileVertical", "Tile Vertically", {}, true},
        {"MenuHelpContents", "Contents", {}, true},
        {"MenuHelpAbout", "About...", {}, true},
    };
    for (const Item& item : items) {
        QAction* action = Action(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.caption) << item.name;
        EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
    }
    QStringList bar;
    for (QAction* menu : window->menuBar()->actions())
        bar << menu->text();
    EXPECT_EQ(bar, QStringList({"File", "Edit", "View", "Window", "Help"}));
    // The browsers' context menus exist but never show in the menu bar.
    EXPECT_EQ(window->SoundMenu()->title(), "Sound");
    EXPECT_EQ(window->GroupMenu()->title(), "Group");
    for (const char* name : {"MenuSoundEditAll", "MenuSoundVary", "MenuSoundRename",
                             "MenuSoundRefresh", "MenuGroupRename", "MenuGroupSaveAs"}) {
        EXPECT_NE(Action(name), nullptr) << name;
    }

    QStringList keys;
    QStringList tips;
    for (QAction* action : window->findChild<QToolBar*>("Toolbar")->actions()) {
        if (action->isSeparator())
            continue;
        keys << action->objectName();
        tips << action->toolTip();
    }
    EXPECT_EQ(keys, QStringList({"New", "Open", "Save", "Sounds", "Groups", "Audition", "Library",
                                 "Nodes", "Lfo", "Modulation", "Envelopes", "Vary"}));
    EXPECT_EQ(tips, QStringList({"New", "Open", "Save", "Show Sound Browser Window",
                                 "Show Group Editor Window", "Show Audition Window",
                                 "Show Library Window", "Edit Sound Nodes", "Edit Sound LFO",
                                 "Edit Sound Modulation Matrix", "Edit Sound Envelopes",
                                 "Vary Sound"}));
    EXPECT_TRUE(Enabled().isEmpty());
    EXPECT_TRUE(Button("Sounds")->isEnabled());
    EXPECT_EQ(window->windowTitle(), "ZEL-1 Edit");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "");
    EXPECT_EQ(window->findChild<QTimer*>("TimerMidi")->interval(), 100);

    // About shows the version.
    Action("MenuHelpAbout")->trigger();
    const QString version = QStringLiteral(ZEL_VERSION).section('.', 0, 1);
    EXPECT_EQ(messages.Messages(),
              (std::vector<RecordingMessageSink::Message>{
                  {"ZEL-1 Edit Beta Test " + version.toStdString(), "ZEL-1 Edit", 64}}));
}

TEST_F(MainWindowTest, DocumentCommandsFollowTheActiveBrowser) {
    const QStringList files = {"MenuFileNew",    "MenuFileOpen",    "MenuFileSave",
                               "MenuFileSaveAs", "MenuFileOpenAll", "MenuFileSaveAll",
                               "MenuEditRename"};
    // The toolbar's Groups button opens the group editor.
    Button("Groups")->trigger();
    ASSERT_NE(window->ChildWindow(Child::Groups), nullptr);
    EXPECT_EQ(Enabled(), files + QStringList({"New", "Open", "Save"}));

    Action("MenuViewSounds")->trigger();
    EXPECT_EQ(Enabled(), MenuStates::DocumentMenuItems() + MenuStates::DocumentToolbarKeys());

    window->WorkArea().setActiveSubWindow(window->WorkArea().subWindowList().first());
    EXPECT_EQ(Enabled(), files + QStringList({"New", "Open", "Save"}));

    Action("MenuWinCloseAll")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Enabled().isEmpty());
}

TEST_F(MainWindowTest, ASoundBrowserNotYetSynchronisedLeavesTheCommandsDisabled) {
    soundsSynchronised = false;
    Action("MenuViewSounds")->trigger();
    EXPECT_TRUE(Enabled().isEmpty());
}

TEST_F(MainWindowTest, CommandsGoToTheActiveBrowserAndContextMenusToTheirOwn) {
    Action("MenuViewSounds")->trigger();
    Action("MenuFileNew")->trigger();
    Action("MenuEditRefresh")->trigger();
    Action("MenuEditSoundEditAll")->trigger();
    window->ToolbarButtonClick("Lfo");
    window->ToolbarButtonClick("Unknown");
    EXPECT_EQ(log,
              QStringList({"Sounds.New", "Sounds.Refresh", "Sounds.EditAll", "Sounds.EditLfo"}));
    log.clear();

    // A group context command opens the group editor when needed and goes there.
    Action("MenuGroupRename")->trigger();
    EXPECT_EQ(log, QStringList({"Groups.Rename"}));
    log.clear();

    // With the group editor active, the sound-only commands reach nobody.
    window->ToolbarButtonClick("Nodes");
    window->ToolbarButtonClick("Save");
    Action("MenuSoundSaveAs")->trigger();
    EXPECT_EQ(log, QStringList({"Groups.Save", "Sounds.SaveAs"}));
}

TEST_F(MainWindowTest, ActivityPanelsShowTrafficForFiveTicks) {
    midi.SysExSentFlag = false;
    midi.MidiInFlag = false;
    midi.SendRequest(0, 1);
    ASSERT_TRUE(midi.WaitForMessage(false));

    for (int tick = 1; tick <= 5; ++tick) {
        window->TimerMidiTick();
        EXPECT_EQ(Panel(1), "Send") << tick;
        EXPECT_EQ(Panel(2), "Recieve") << tick;
    }
    window->TimerMidiTick();
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "");

    // Input alone lights only its own panel.
    driver.InjectShort(0x403C90);
    midi.ProcessEvents();
    window->TimerMidiTick();
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(Panel(2), "Recieve");
}

TEST_F(MainWindowTest, TilingCoversTheWorkAreaWithoutOverlap) {
    Action("MenuViewSounds")->trigger();
    Action("MenuViewGroups")->trigger();
    const QRect area = window->WorkArea().viewport()->rect();
    Action("MenuWinTileVertical")->trigger();
    const auto windows = window->WorkArea().subWindowList();
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(windows[1]->geometry().right(), area.right());
    Action("MenuWinTileHorizonal")->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(windows[1]->geometry().bottom(), area.bottom());
}

TEST_F(MainWindowTest, AWindowThatIsClosingIsOpenedAfresh) {
    QWidget* first = window->OpenChild(Child::Sounds);
    window->Host().SubWindowOf(first)->close();
    EXPECT_EQ(window->ChildWindow(Child::Sounds), nullptr);
    QWidget* second = window->OpenChild(Child::Sounds);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(MainWindowTest, TheWindowMenuListsTheShownWindowsAndBringsOneToTheFront) {
    QWidget* sounds = window->OpenChild(Child::Sounds);
    QWidget* groups = window->OpenChild(Child::Groups);
    sounds->setWindowTitle("Sounds");
    groups->setWindowTitle("Groups & Banks");
    auto* menu = window->findChild<QMenu*>("MenuWin");
    const auto listed = [&] {
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* action : menu->actions()) {
            if (action->objectName().startsWith("MenuWinWindow_"))
                items << action->text() + (action->isChecked() ? " *" : "");
        }
        return items;
    };
    // The hidden audition window is not listed; the active one is checked.
    EXPECT_EQ(listed(), QStringList({"&1 Sounds", "&2 Groups && Banks *"}));
    window->findChild<QAction*>("MenuWinWindow_1")->trigger();
    EXPECT_EQ(window->Host().SubWindowOf(sounds), window->WorkArea().currentSubWindow());
    EXPECT_EQ(listed(), QStringList({"&1 Sounds *", "&2 Groups && Banks"}));
    Action("MenuWinCloseAll")->trigger();
    EXPECT_TRUE(listed().isEmpty());
}
