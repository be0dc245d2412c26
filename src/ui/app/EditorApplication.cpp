#include "ui/app/EditorApplication.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <map>

#include "midi/CompositeMidiDriver.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassSounds.h"
#include "platform/SettingsStore.h"
#include "synth/EmulatorMidiDriver.h"
#include "synth/SynthMemoryFile.h"
#include "ui/app/DeviceWatch.h"
#include "ui/app/FormAudition.h"
#include "ui/app/FormMidiMonitor.h"
#include "ui/app/FormSettings.h"
#include "ui/app/FormUtility.h"
#include "ui/app/GivenFiles.h"
#include "ui/app/MDIFormMain.h"
#include "ui/app/MainMenuTable.h"
#include "ui/app/ProgramIcon.h"
#include "ui/app/UndoMenu.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/WindowContext.h"
#include "ui/common/WindowHost.h"
#include "ui/editors/SoundEditorWindow.h"
#include "ui/editors/SoundEditors.h"
#include "ui/library/FormGroups.h"
#include "ui/library/FormLibrary.h"
#include "ui/library/FormSounds.h"

namespace {
// The resident memory of this process in kB, from the kernel's status file.
long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
}  // namespace

EditorApplication::EditorApplication(SettingsStore& store, PlatformDevices platformDevices)
    : store_(store), session_(store), service_(new QTimer(this)) {
    // The program's picture in every window's title bar; without one the child windows show
    // the toolkit's logo.
    QApplication::setWindowIcon(ProgramIcon());
    // The virtual ZEL-1 comes first in the device lists, at the speed of a MIDI cable.
    auto devices = std::make_unique<CompositeMidiDriver>();
    auto emulator = std::make_unique<EmulatorMidiDriver>(clock_);
    emulator->SetCableSpeed(true);
    // A demonstration must not time out because the user's synth listens on another channel.
    emulator->Synth().SetAnswersAnyChannel(true);
    emulator_ = emulator.get();
    devices->Add(std::move(emulator));
    CompositeMidiDriver& composite = *devices;
    driver_ = std::move(devices);
    midi_ = std::make_unique<ModuleMIDI>(*driver_, messages_, pump_, clock_);
    window_ = std::make_unique<MDIFormMain>(*midi_, session_, messages_, modal_, pump_);
    messages_.SetParent(window_.get());
    window_->Host().SetPlaces(&store_);
    dialogs_.SetParent(window_.get());
    library_ = std::make_unique<LibraryDocuments>(*midi_, LibraryDocuments::DefaultBackupFolder());
    context_ = std::make_unique<WindowContext>(
        WindowContext{*midi_, messages_, store_, pump_, givenDialogs_, *library_, *window_, {}});
    RegisterWindows();
    undoMenu_ = new UndoMenu(*window_, window_->Host().Area(), library_->History());
    // Asked for once the windows are built, so that joining the MIDI systems can overlap it;
    // nothing has listed the devices before this.
    if (platformDevices) {
        if (std::unique_ptr<MidiDriver> platform = platformDevices())
            composite.Add(std::move(platform));
    }
    // Input that falls due while no exchange waits is delivered too, so the activity panel
    // and the synth's unasked messages are seen.
    // The timer runs only while replies are on their way: an idle editor does not wake.
    service_->setInterval(kServiceInterval);
    connect(service_, &QTimer::timeout, this, [this] {
        driver_->Service();
        if (!driver_->ServicePending())
            service_->stop();
    });
    driver_->SetWorkNotice([this] {
        QMetaObject::invokeMethod(service_, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    });
    devices_ = new DeviceWatch(*midi_, *window_, this);
}

EditorApplication::~EditorApplication() {
    driver_->SetWorkNotice(nullptr);
    window_.reset();
    context_.reset();
    library_.reset();
    midi_.reset();
}

void EditorApplication::RegisterWindows() {
    // Each window kind registers its factory here as it is built.
    window_->SetChildFactory(MDIFormMain::Child::MidiMonitor,
                             [this] { return new FormMidiMonitor(midi_->Tap(), clock_); });
    window_->SetChildFactory(MDIFormMain::Child::Groups, [this] {
        auto* groups = new FormGroups(*context_);
        groups->Load();
        return groups;
    });
    window_->SetChildFactory(MDIFormMain::Child::Sounds, [this] {
        auto* sounds = new FormSounds(*context_);
        sounds->Load();
        return sounds;
    });
    window_->SetChildFactory(MDIFormMain::Child::Audition, [this] {
        auto* form = new FormAudition(*context_);
        form->Load();
        connect(devices_, &DeviceWatch::DevicesChanged, form, &FormAudition::DevicesChanged);
        return form;
    });
    window_->SetChildFactory(MDIFormMain::Child::Library, [this] {
        auto* form = new FormLibrary(*context_, SoundCatalog::DefaultPath());
        form->Load();
        return form;
    });
    window_->SetChildFactory(MDIFormMain::Child::Utility, [this] {
        auto* form = new FormUtility(*context_);
        form->Load();
        return form;
    });
    context_->editors = [this](SoundEditorKind kind, const std::shared_ptr<ClassSound>& sound) {
        return static_cast<QWidget*>(MakeSoundEditor(*context_, kind, sound));
    };
}

void EditorApplication::PrepareProcess() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
}

QString EditorApplication::MemoryPath() {
    return SynthMemoryFile::DefaultPath();
}

int EditorApplication::Run(const Options& options) {
    // A missing or damaged file leaves the synth's factory memory in place.
    SynthMemoryFile::Load(emulator_->Synth(), MemoryPath());
    if (options.virtualSynth) {
        using S = MidiSettings;
        const std::string channel =
            store_.Read(S::kApplication, S::kSection, S::kKeySystemChannel, "0");
        session_.Hold(S::kApplication, S::kSection, S::kKeyIn, EmulatorMidiDriver::kDeviceName);
        session_.Hold(S::kApplication, S::kSection, S::kKeyOut, EmulatorMidiDriver::kDeviceName);
        session_.Hold(S::kApplication, S::kSection, S::kKeySystemChannel, channel);
    }
    service_->start();
    devices_->Start();
    window_->show();
    window_->Load();

    if (!options.screenshot.isEmpty()) {
        const QString path = options.screenshot;
        const QStringList windows = options.screenshotWindows;
        QTimer::singleShot(300, this, [this, path, windows] {
            // The settings dialog is modal: the picture is taken while it waits for OK. Windows
            // are pictured once they have read what they show.
            if (!windows.isEmpty())
                ShowWindows(windows);
            QTimer::singleShot(700, this, [this, path] { TakeScreenshot(path); });
            if (windows.isEmpty())
                window_->ViewSettings();
        });
    } else if (options.quitWhenShown) {
        QTimer::singleShot(0, this, [this] { ReportShown(); });
    } else if (!options.files.isEmpty()) {
        QTimer::singleShot(0, this, [this, files = options.files] {
            GivenFiles(*window_, *library_, messages_, givenDialogs_).Open(files);
        });
    }

    const int code = QApplication::exec();
    window_->Unload();
    service_->stop();
    SynthMemoryFile::Save(emulator_->Synth(), MemoryPath());
    return exitCode_ != 0 ? exitCode_ : code;
}

void EditorApplication::ShowWindows(const QStringList& windows) {
    // The whole screen, as a user would give the editor; a bare X server maximises nothing.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window_->setGeometry(screen->availableGeometry());
    for (const QString& name : windows) {
        QWidget* shown = OpenPictured(name);
        if (shown == nullptr) {
            std::fprintf(stderr, "zel1edit: cannot picture the window %s\n", qPrintable(name));
            exitCode_ = 2;
        } else if (windows.size() == 1 && dynamic_cast<SoundEditor*>(shown) != nullptr) {
            // One editor alone is pictured as its own window.
            pictured_ = shown;
        }
    }
}

QAction* EditorApplication::MenuAction(const char* menu, const QString& caption) const {
    for (const MainMenuTable::MenuEntry& entry : MainMenuTable::Menus()) {
        if (entry.entry == MainMenuTable::Entry::Item && entry.parent != nullptr &&
            QLatin1String(entry.parent) == QLatin1String(menu) &&
            QString::fromLatin1(entry.caption).startsWith(caption, Qt::CaseInsensitive))
            return window_->findChild<QAction*>(QLatin1String(entry.name));
    }
    return nullptr;
}

QWidget* EditorApplication::OpenPictured(const QString& name) {
    // A window of the View menu by its caption ("Groups"), or a sound editor on the synth's first
    // sound by the end of its Edit, Sound caption ("nodes" for "Edit Nodes") or its Edit caption
    // ("vary").
    const bool keyboard = name == QLatin1String("AuditionKeyboard");
    QAction* view = MenuAction("MenuView", keyboard ? QStringLiteral("Audition") : name);
    QAction* edit = MenuAction("MenuEditSoundMenu", QStringLiteral("Edit ") + name);
    if (edit == nullptr)
        edit = MenuAction("MenuEdit", name);
    if (view == nullptr && edit == nullptr)
        return nullptr;
    if (edit != nullptr || name == QLatin1String("Sounds")) {
        MenuAction("MenuView", QStringLiteral("Sounds"))->trigger();
        auto* sounds = dynamic_cast<FormSounds*>(window_->ChildWindow(MDIFormMain::Child::Sounds));
        if (sounds == nullptr)
            return nullptr;
        sounds->findChild<QListWidget*>(QStringLiteral("ListView"))->setCurrentRow(0);
        // Every editor of the first sound with the sound browser, or the one named.
        if (edit == nullptr) {
            MenuAction("MenuEditSoundMenu", QStringLiteral("Edit All"))->trigger();
            return sounds;
        }
        edit->trigger();
        return WindowHost::WidgetOf(window_->WorkArea().currentSubWindow());
    }
    view->trigger();
    QWidget* shown = WindowHost::WidgetOf(window_->WorkArea().currentSubWindow());
    if (auto* groups = dynamic_cast<FormGroups*>(shown))
        groups->SelectGroup(2);  // a group whose banks split the keyboard
    if (auto* tabs =
            shown != nullptr ? shown->findChild<QTabWidget*>(QStringLiteral("TabStrip")) : nullptr;
        tabs != nullptr && dynamic_cast<FormAudition*>(shown) != nullptr)
        tabs->setCurrentIndex(keyboard ? 1 : 0);
    return shown;
}

void EditorApplication::TakeScreenshot(const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap picture = screen != nullptr ? screen->grabWindow(0) : QPixmap();
    if (pictured_ != nullptr)
        picture = pictured_->grab();
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "zel1edit: could not write the screenshot %s\n", qPrintable(path));
        exitCode_ = 2;
    }
    if (FormSettings* settings = window_->Settings())
        settings->accept();
    QTimer::singleShot(0, window_.get(), &QWidget::close);
}

void EditorApplication::ReportShown() {
    std::printf("shown-at-ms %lld resident-kB %ld\n",
                static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), ResidentKilobytes());
    std::fflush(stdout);
    window_->close();
}
