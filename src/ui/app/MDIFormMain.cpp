#include "ui/app/MDIFormMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "midi/MessageSink.h"
#include "midi/ModuleMIDI.h"
#include "ui/app/FormSettings.h"
#include "ui/app/FormStatus.h"
#include "ui/app/MenuStates.h"
#include "ui/app/TileLayout.h"
#include "ui/app/ToolbarIcons.h"

namespace {
struct ToolbarButton {
    const char* key;
    const char* tooltip;
    const char* menuItem;
};

// In three groups: files, windows, sound editors.
constexpr ToolbarButton kToolbarButtons[] = {
    {"New", "New", "MenuFileNew"},
    {"Open", "Open", "MenuFileOpen"},
    {"Save", "Save", "MenuFileSave"},
    {nullptr, nullptr, nullptr},
    {"Sounds", "Show Sound Browser Window", "MenuViewSounds"},
    {"Groups", "Show Group Editor Window", "MenuViewGroups"},
    {"Audition", "Show Audition Window", "MenuViewAudition"},
    {nullptr, nullptr, nullptr},
    {"Nodes", "Edit Sound Nodes", "MenuEditSoundEditNodes"},
    {"Lfo", "Edit Sound LFO", "MenuEditSoundEditLfo"},
    {"Modulation", "Edit Sound Modulation Matrix", "MenuEditSoundEditModulation"},
    {"Envelopes", "Edit Sound Envelopes", "MenuEditSoundEditEnvelopes"},
};
}  // namespace

MDIFormMain::MDIFormMain(ModuleMIDI& midi, SettingsStore& store, MessageSink& messages,
                         ModalRunner& modal, EventPump& pump, QWidget* parent)
    : QMainWindow(parent),
      midi_(midi),
      store_(store),
      messages_(messages),
      modal_(modal),
      pump_(pump),
      workArea_(new QMdiArea(this)),
      timerMidi_(new QTimer(this)) {
    setObjectName(QStringLiteral("MDIFormMain"));
    setWindowTitle(QString::fromLatin1(kCaption));
    workArea_->setObjectName(QStringLiteral("WorkArea"));
    workArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(workArea_);
    BuildMenus();
    BuildContextMenus();
    BuildToolbar();
    BuildStatusBar();
    ClearMenus();
    resize(900, 640);

    connect(workArea_, &QMdiArea::subWindowActivated, this, [this] { SetMenus(); });
    timerMidi_->setObjectName(QStringLiteral("TimerMidi"));
    timerMidi_->setInterval(kTimerMidiInterval);
    connect(timerMidi_, &QTimer::timeout, this, &MDIFormMain::TimerMidiTick);
    timerMidi_->start();
}

MDIFormMain::~MDIFormMain() {
    // Children die with the base classes; they must not reach back into this window then.
    workArea_->disconnect(this);
    Unload();
}

QAction* MDIFormMain::AddItem(QMenu* menu, const QString& caption, const char* name,
                              const QKeySequence& shortcut, std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (command) {
        commands_[action->objectName()] = command;
        connect(action, &QAction::triggered, this, std::move(command));
    }
    return action;
}

void MDIFormMain::BuildMenus() {
    using DW = DocumentWindow;
    auto route = [this](Command command, bool soundsOnly = false) {
        return [this, command, soundsOnly] { Route(command, soundsOnly); };
    };
    const QKeySequence none;

    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    AddItem(file, "New", "MenuFileNew", QKeySequence(Qt::CTRL | Qt::Key_N),
            route(&DW::DocumentNew));
    AddItem(file, "Open", "MenuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O),
            route(&DW::DocumentOpen));
    AddItem(file, "Save", "MenuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S),
            route(&DW::DocumentSave));
    AddItem(file, "Save as...", "MenuFileSaveAs", none, route(&DW::DocumentSaveAs));
    file->addSeparator();
    AddItem(file, "Open All", "MenuFileOpenAll", none, route(&DW::OpenAll));
    AddItem(file, "Save All", "MenuFileSaveAll", none, route(&DW::SaveAll));
    file->addSeparator();
    AddItem(file, "Exit", "MenuFileExit", none, [this] { FileExit(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    AddItem(edit, "Undo", "MenuEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z), {})
        ->setEnabled(false);
    edit->addSeparator();
    AddItem(edit, "Rename", "MenuEditRename", QKeySequence(Qt::Key_F2), route(&DW::DocumentRename));
    AddItem(edit, "Refresh Synth", "MenuEditRefresh", QKeySequence(Qt::Key_F5),
            route(&DW::SoundRefresh, true));
    edit->addSeparator();
    QMenu* sound = edit->addMenu(QStringLiteral("Sound"));
    sound->setObjectName(QStringLiteral("MenuEditSoundMenu"));
    sound->menuAction()->setObjectName(QStringLiteral("MenuEditSound"));
    AddItem(sound, "Edit Nodes", "MenuEditSoundEditNodes", none, route(&DW::SoundEditNodes, true));
    AddItem(sound, "Edit Envelopes", "MenuEditSoundEditEnvelopes", none,
            route(&DW::SoundEditEnvelope, true));
    AddItem(sound, "Edit LFO", "MenuEditSoundEditLfo", none, route(&DW::SoundEditLfo, true));
    AddItem(sound, "Edit Modulation", "MenuEditSoundEditModulation", none,
            route(&DW::SoundEditModulation, true));
    AddItem(sound, "Edit All", "MenuEditSoundEditAll", QKeySequence(Qt::CTRL | Qt::Key_A),
            route(&DW::SoundEditAll, true));

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("MenuView"));
    AddItem(view, "Sounds", "MenuViewSounds", none, [this] { OpenChild(Child::Sounds); });
    AddItem(view, "Groups", "MenuViewGroups", none, [this] { OpenChild(Child::Groups); });
    AddItem(view, "Utility", "MenuViewUtility", none, [this] { OpenChild(Child::Utility); });
    AddItem(view, "Audition", "MenuViewAudition", none, [this] { OpenChild(Child::Audition); });
    AddItem(view, "Settings", "MenuViewSettings", none, [this] { ViewSettings(); });

    QMenu* window = menuBar()->addMenu(QStringLiteral("Window"));
    window->setObjectName(QStringLiteral("MenuWin"));
    AddItem(window, "Close All", "MenuWinCloseAll", none, [this] { WindowCloseAll(); });
    AddItem(window, "Cascade", "MenuWinCascade", none, [this] { WindowCascade(); });
    AddItem(window, "Tile Horizontally", "MenuWinTileHorizonal", none,
            [this] { WindowTileHorizontally(); });
    AddItem(window, "Tile Vertically", "MenuWinTileVertical", none,
            [this] { WindowTileVertically(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    AddItem(help, "Contents", "MenuHelpContents", none, {})->setEnabled(false);
    help->addSeparator();
    AddItem(help, "About...", "MenuHelpAbout", none, [this] { HelpAbout(); });
}

void MDIFormMain::BuildContextMenus() {
    using DW = DocumentWindow;
    const QKeySequence none;
    auto sounds = [this](Command command) {
        return [this, command] { RouteTo(Child::Sounds, command); };
    };
    auto groups = [this](Command command) {
        return [this, command] { RouteTo(Child::Groups, command); };
    };

    menuSound_ = new QMenu(QStringLiteral("Sound"), this);
    menuSound_->setObjectName(QStringLiteral("MenuSound"));
    QMenu* soundEdit = menuSound_->addMenu(QStringLiteral("Edit"));
    soundEdit->menuAction()->setObjectName(QStringLiteral("MenuSoundEdit"));
    AddItem(soundEdit, "All", "MenuSoundEditAll", none, sounds(&DW::SoundEditAll));
    AddItem(soundEdit, "Nodes", "MenuSoundEditNodes", none, sounds(&DW::SoundEditNodes));
    AddItem(soundEdit, "Envelopes", "MenuSoundEditEnvelopes", none, sounds(&DW::SoundEditEnvelope));
    AddItem(soundEdit, "LFO", "MenuSoundEditLfo", none, sounds(&DW::SoundEditLfo));
    AddItem(soundEdit, "Modulation", "MenuSoundEditModulation", none,
            sounds(&DW::SoundEditModulation));
    AddItem(menuSound_, "Rename", "MenuSoundRename", none, sounds(&DW::DocumentRename));
    menuSound_->addSeparator();
    AddItem(menuSound_, "New", "MenuSoundNew", none, sounds(&DW::DocumentNew));
    AddItem(menuSound_, "Open", "MenuSoundOpen", none, sounds(&DW::DocumentOpen));
    AddItem(menuSound_, "Save as...", "MenuSoundSaveAs", none, sounds(&DW::DocumentSaveAs));
    menuSound_->addSeparator();
    AddItem(menuSound_, "Refresh Synth", "MenuSoundRefresh", none, sounds(&DW::SoundRefresh));

    menuGroup_ = new QMenu(QStringLiteral("Group"), this);
    menuGroup_->setObjectName(QStringLiteral("MenuGroup"));
    AddItem(menuGroup_, "Rename", "MenuGroupRename", none, groups(&DW::DocumentRename));
    menuGroup_->addSeparator();
    AddItem(menuGroup_, "New", "MenuGroupNew", none, groups(&DW::DocumentNew));
    AddItem(menuGroup_, "Open", "MenuGroupOpen", none, groups(&DW::DocumentOpen));
    AddItem(menuGroup_, "Save As...", "MenuGroupSaveAs", none, groups(&DW::DocumentSaveAs));
}

void MDIFormMain::BuildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("Toolbar"));
    toolbar_->setMovable(false);
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.key == nullptr) {
            toolbar_->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(button.key);
        QAction* action = toolbar_->addAction(ToolbarIcons::For(key), key);
        action->setObjectName(key);
        action->setToolTip(QString::fromLatin1(button.tooltip));
        connect(action, &QAction::triggered, this, [this, key] { ToolbarButtonClick(key); });
    }
}

void MDIFormMain::BuildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    panelSend_ = new QLabel(this);
    panelSend_->setObjectName(QStringLiteral("StatusBarPanel_1"));
    panelReceive_ = new QLabel(this);
    panelReceive_->setObjectName(QStringLiteral("StatusBarPanel_2"));
    for (QLabel* panel : {panelSend_, panelReceive_}) {
        panel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Recieve")) + 24);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(panel);
    }
}

void MDIFormMain::SetChildFactory(Child child, ChildFactory factory) {
    factories_[child] = std::move(factory);
}

void MDIFormMain::Load() {
    LoadSettings();
    if (factories_.count(Child::Audition) != 0 && OpenChild(Child::Audition) != nullptr) {
        children_[Child::Audition]->hide();
    }
    SetMenus();
}

void MDIFormMain::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    timerMidi_->stop();
    CloseChildren();
    status_.reset();
    UnloadSettings();
}

void MDIFormMain::closeEvent(QCloseEvent* event) {
    // A close that the window frame delivers while an exchange waits would pull the ports and
    // the windows from under it; it is carried out once the exchange is over.
    if (midi_.ExchangeActive()) {
        event->ignore();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    Unload();
    event->accept();
}

void MDIFormMain::LoadSettings() {
    settings_ = std::make_unique<FormSettings>(midi_, store_, messages_, modal_, this);
    settings_->Load();
}

void MDIFormMain::UnloadSettings() {
    if (!settings_)
        return;
    settings_->Unload();
    settings_.reset();
}

void MDIFormMain::CloseChildren() {
    // Hidden children (the audition window) are closed too, so each runs its unload step.
    for (QMdiSubWindow* window : workArea_->subWindowList())
        window->close();
    children_.clear();
}

FormSettings* MDIFormMain::Settings() const {
    return settings_.get();
}

FormStatus& MDIFormMain::Status() {
    if (!status_)
        status_ = std::make_unique<FormStatus>(pump_, this);
    return *status_;
}

QWidget* MDIFormMain::ChildWindow(Child child) const {
    auto found = children_.find(child);
    if (found == children_.end() || found->second.isNull())
        return nullptr;
    return found->second->widget();
}

QWidget* MDIFormMain::OpenChild(Child child) {
    QPointer<QMdiSubWindow>& window = children_[child];
    if (window.isNull()) {
        auto factory = factories_.find(child);
        if (factory == factories_.end() || !factory->second)
            return nullptr;
        QWidget* widget = factory->second();
        if (widget == nullptr)
            return nullptr;
        window = workArea_->addSubWindow(widget);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    workArea_->setActiveSubWindow(window);
    return window->widget();
}

void MDIFormMain::ClearMenus() {
    for (const QString& name : MenuStates::DocumentMenuItems()) {
        if (auto* action = findChild<QAction*>(name))
            action->setEnabled(false);
    }
    for (const QString& key : MenuStates::DocumentToolbarKeys()) {
        if (auto* action = toolbar_->findChild<QAction*>(key))
            action->setEnabled(false);
    }
}

void MDIFormMain::SetMenus() {
    ClearMenus();
    const DocumentWindow* active = ActiveDocument();
    for (const QString& name : MenuStates::EnabledMenuItems(active)) {
        if (auto* action = findChild<QAction*>(name))
            action->setEnabled(true);
    }
    for (const QString& key : MenuStates::EnabledToolbarKeys(active)) {
        if (auto* action = toolbar_->findChild<QAction*>(key))
            action->setEnabled(true);
    }
}

DocumentWindow* MDIFormMain::ActiveDocument() const {
    // The current child even while a dialog or message box has the focus.
    QMdiSubWindow* window = workArea_->currentSubWindow();
    if (window == nullptr || window->widget() == nullptr)
        return nullptr;
    return dynamic_cast<DocumentWindow*>(window->widget());
}

void MDIFormMain::Route(Command command, bool soundsOnly) {
    DocumentWindow* active = ActiveDocument();
    if (active == nullptr)
        return;
    if (soundsOnly && active->DocumentKind() != DocumentWindow::Kind::Sounds)
        return;
    (active->*command)();
}

void MDIFormMain::RouteTo(Child child, Command command) {
    if (auto* target = dynamic_cast<DocumentWindow*>(OpenChild(child)))
        (target->*command)();
}

void MDIFormMain::ToolbarButtonClick(const QString& key) {
    for (const ToolbarButton& button : kToolbarButtons) {
        if (button.key == nullptr || key != QLatin1String(button.key))
            continue;
        // The button does what its menu item does, even where that item sits in a menu that
        // is disabled as a whole.
        auto command = commands_.find(QString::fromLatin1(button.menuItem));
        if (command != commands_.end())
            command->second();
        return;
    }
}

void MDIFormMain::TimerMidiTick() {
    activity_.Tick(midi_.SysExSentFlag.exchange(false), midi_.MidiInFlag.exchange(false));
    panelSend_->setText(activity_.SendText());
    panelReceive_->setText(activity_.ReceiveText());
}

void MDIFormMain::FileExit() {
    // The caption itself: the frame's title also names a maximised child window.
    const int answer = messages_.Show(kExitQuestion, kCaption, MessageFlags::OkCancelQuestion);
    if (answer == MessageFlags::ResultOk)
        close();
}

void MDIFormMain::ViewSettings() {
    if (!settings_) {
        settings_ = std::make_unique<FormSettings>(midi_, store_, messages_, modal_, this);
        // Loading shows the dialog by itself when a port is missing; once is enough.
        if (settings_->Load())
            return;
    }
    settings_->ShowModal();
}

void MDIFormMain::WindowCloseAll() {
    CloseChildren();
    status_.reset();
    UnloadSettings();
    SetMenus();
}

void MDIFormMain::WindowCascade() {
    workArea_->cascadeSubWindows();
}

void MDIFormMain::WindowTileHorizontally() {
    Tile(true);
}

void MDIFormMain::WindowTileVertically() {
    Tile(false);
}

void MDIFormMain::Tile(bool horizontally) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : workArea_->subWindowList()) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    const std::vector<QRect> rects = TileLayout::Tile(static_cast<int>(windows.size()),
                                                      workArea_->viewport()->rect(), horizontally);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(rects[static_cast<size_t>(i)]);
    }
}

void MDIFormMain::HelpAbout() {
    const std::string version =
        std::to_string(ZEL_VERSION_MAJOR) + "." + std::to_string(ZEL_VERSION_MINOR);
    messages_.Show("ZEL-1 Edit Beta Test " + version, kCaption, MessageFlags::Information);
}
