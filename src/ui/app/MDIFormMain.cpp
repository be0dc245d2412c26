#include "ui/app/MDIFormMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMetaObject>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <utility>

#include "midi/ModuleMIDI.h"
#include "platform/MessageSink.h"
#include "platform/UserManual.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MainWindowBars.h"
#include "ui/app/MenuStates.h"
#include "ui/app/WindowMenu.h"
#include "ui/common/FormStatus.h"
#include "ui/common/SoundEditor.h"
#include "windowlogic/TileLayout.h"

using namespace MainMenuTable;

MDIFormMain::MDIFormMain(ModuleMIDI& midi, SettingsStore& store, MessageSink& messages,
                         ModalRunner& modal, EventPump& pump, QWidget* parent)
    : QMainWindow(parent),
      midi_(midi),
      store_(store),
      messages_(messages),
      modal_(modal),
      pump_(pump),
      workArea_(new QMdiArea(this)),
      host_(*workArea_),
      timerMidi_(new QTimer(this)),
      manualPath_(UserManual::Find(QCoreApplication::applicationDirPath())) {
    setObjectName(QStringLiteral("MDIFormMain"));
    setWindowTitle(QString::fromLatin1(kCaption));
    workArea_->setObjectName(QStringLiteral("WorkArea"));
    workArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(workArea_);
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    new WindowMenu(*findChild<QMenu*>(QStringLiteral("MenuWin")), host_);
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

std::function<void()> MDIFormMain::CommandOf(const MenuEntry& entry) {
    switch (entry.route) {
        case Route::Active:
        case Route::ActiveSound: {
            const bool soundsOnly = entry.route == Route::ActiveSound;
            return [this, command = entry.document, soundsOnly] {
                RouteToActive(command, soundsOnly);
            };
        }
        case Route::ToSounds:
            return [this, command = entry.document] { RouteTo(Child::Sounds, command); };
        case Route::ToGroups:
            return [this, command = entry.document] { RouteTo(Child::Groups, command); };
        case Route::Shell:
            return [this, command = entry.shell] { RunShellCommand(command); };
        case Route::None:
            break;
    }
    return {};
}

void MDIFormMain::RunShellCommand(ShellCommand command) {
    using SC = ShellCommand;
    static const std::map<SC, void (MDIFormMain::*)()> kCommands = {
        {SC::Exit, &MDIFormMain::FileExit},
        {SC::ViewSounds, &MDIFormMain::ViewSounds},
        {SC::ViewGroups, &MDIFormMain::ViewGroups},
        {SC::ViewUtility, &MDIFormMain::ViewUtility},
        {SC::ViewAudition, &MDIFormMain::ViewAudition},
        {SC::ViewMidiMonitor, &MDIFormMain::ViewMidiMonitor},
        {SC::ViewLibrary, &MDIFormMain::ViewLibrary},
        {SC::ViewSettings, &MDIFormMain::ViewSettings},
        {SC::CloseAll, &MDIFormMain::WindowCloseAll},
        {SC::Cascade, &MDIFormMain::WindowCascade},
        {SC::TileHorizontally, &MDIFormMain::WindowTileHorizontally},
        {SC::TileVertically, &MDIFormMain::WindowTileVertically},
        {SC::Contents, &MDIFormMain::HelpContents},
        {SC::About, &MDIFormMain::HelpAbout},
        {SC::Vary, &MDIFormMain::EditVary},
    };
    (this->*kCommands.at(command))();
}

void MDIFormMain::BuildMenus() {
    MainWindowBars::Menus built = MainWindowBars::BuildMenus(
        *this, [this](const MenuEntry& entry) { return CommandOf(entry); });
    menuSound_ = built.sound;
    menuGroup_ = built.group;
    commands_ = std::move(built.commands);
}

void MDIFormMain::BuildToolbar() {
    toolbar_ = MainWindowBars::BuildToolbar(
        *this, [this](const QString& key) { ToolbarButtonClick(key); });
}

void MDIFormMain::BuildStatusBar() {
    std::tie(panelSend_, panelReceive_) = MainWindowBars::BuildStatusBar(*this);
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
    // A close that arrives while a command or an exchange runs would pull the ports and the
    // windows from under it; it is carried out once that is over.
    if (CloseMustWait()) {
        event->ignore();
        if (commandDepth_ > 0)
            closeWaits_ = true;
        else
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    Unload();
    event->accept();
}

bool MDIFormMain::CloseMustWait() const {
    return commandDepth_ > 0 || midi_.ExchangeActive();
}

void MDIFormMain::RunCommand(const std::function<void()>& command) {
    ++commandDepth_;
    command();
    if (--commandDepth_ > 0)
        return;
    const bool close = std::exchange(closeWaits_, false);
    const bool closeAll = std::exchange(closeAllWaits_, false);
    if (close)
        this->close();
    else if (closeAll)
        WindowCloseAll();
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
    const QScopedValueRollback closing(closingChildren_, true);
    for (QMdiSubWindow* window : workArea_->subWindowList())
        window->close();
    children_.clear();
}

FormSettings* MDIFormMain::Settings() const {
    return settings_.get();
}

void MDIFormMain::ShowStatusMessage(const QString& text) {
    // It stays until the next message: a backup's path must still be there when the user looks.
    statusBar()->showMessage(text);
}

bool MDIFormMain::event(QEvent* event) {
    // Menu items and toolbar buttons have no status tips; their empty tip on hover would wipe
    // the message.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
}

FormStatus& MDIFormMain::Status() {
    if (!status_)
        status_ = std::make_unique<FormStatus>(pump_, this);
    return *status_;
}

QWidget* MDIFormMain::ChildWindow(Child child) const {
    // A window that is closing waits for its deferred delete; it is no longer open.
    auto found = children_.find(child);
    if (found == children_.end() || found->second.isNull() ||
        host_.SubWindowOf(WindowHost::WidgetOf(found->second)) == nullptr)
        return nullptr;
    return WindowHost::WidgetOf(found->second);
}

QWidget* MDIFormMain::OpenChild(Child child) {
    if (ChildWindow(child) == nullptr) {
        auto factory = factories_.find(child);
        if (factory == factories_.end() || !factory->second)
            return nullptr;
        // Making a browser reads the synth.
        QWidget* widget = nullptr;
        RunCommand([&] {
            widget = factory->second();
            if (widget != nullptr)
                children_[child] = host_.Add(widget);
        });
        if (ChildWindow(child) == nullptr)
            return nullptr;
    }
    QWidget* widget = WindowHost::WidgetOf(children_[child]);
    host_.Activate(widget);
    return widget;
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
    return dynamic_cast<DocumentWindow*>(WindowHost::WidgetOf(window));
}

void MDIFormMain::RouteToActive(Command command, bool soundsOnly) {
    DocumentWindow* active = ActiveDocument();
    if (active == nullptr)
        return;
    if (soundsOnly && active->DocumentKind() != DocumentWindow::Kind::Sounds)
        return;
    RunCommand([active, command] { (active->*command)(); });
}

void MDIFormMain::EditVary() {
    if (auto* editor =
            dynamic_cast<SoundEditor*>(WindowHost::WidgetOf(workArea_->currentSubWindow())))
        editor->OpenCompanion(SoundEditorKind::Vary);
    else
        RouteToActive(&DocumentWindow::SoundVary, true);
}

void MDIFormMain::RouteTo(Child child, Command command) {
    RunCommand([this, child, command] {
        if (auto* target = dynamic_cast<DocumentWindow*>(OpenChild(child)))
            (target->*command)();
    });
}

void MDIFormMain::ToolbarButtonClick(const QString& key) {
    for (const ToolbarButton& button : ToolbarButtons()) {
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
    if (CloseMustWait()) {
        if (commandDepth_ > 0)
            closeAllWaits_ = true;
        else
            QMetaObject::invokeMethod(this, &MDIFormMain::WindowCloseAll, Qt::QueuedConnection);
        return;
    }
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

void MDIFormMain::HelpContents() {
    if (manualPath_.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(manualPath_))) {
        messages_.Show("The user manual could not be opened" +
                           (manualPath_.isEmpty() ? std::string(": it is not installed.")
                                                  : " from " + manualPath_.toStdString() + "."),
                       kCaption, MessageFlags::Exclamation);
    }
}

void MDIFormMain::HelpAbout() {
    const std::string version =
        std::to_string(ZEL_VERSION_MAJOR) + "." + std::to_string(ZEL_VERSION_MINOR);
    messages_.Show("ZEL-1 Edit Beta Test " + version, kCaption, MessageFlags::Information);
}
