#include "ui/app/EditorApplication.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "midi/CompositeMidiDriver.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "midi/SettingsStore.h"
#include "synth/EmulatorMidiDriver.h"
#include "synth/SynthMemoryFile.h"
#include "ui/app/FormMidiMonitor.h"
#include "ui/app/FormSettings.h"
#include "ui/app/MDIFormMain.h"
#include "ui/app/ToolbarIcons.h"
#include "ui/common/LibraryDocuments.h"
#include "ui/common/WindowContext.h"

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

EditorApplication::EditorApplication(SettingsStore& store,
                                     std::unique_ptr<MidiDriver> platformDevices)
    : store_(store), session_(store), service_(new QTimer(this)) {
    // The program's picture in every window's title bar; without one the child windows show
    // the toolkit's logo.
    QApplication::setWindowIcon(ToolbarIcons::For(QStringLiteral("Audition")));
    // The virtual ZEL-1 comes first in the device lists, at the speed of a MIDI cable.
    auto devices = std::make_unique<CompositeMidiDriver>();
    auto emulator = std::make_unique<EmulatorMidiDriver>(clock_);
    emulator->SetCableSpeed(true);
    // A demonstration must not time out because the user's synth listens on another channel.
    emulator->Synth().SetAnswersAnyChannel(true);
    emulator_ = emulator.get();
    devices->Add(std::move(emulator));
    if (platformDevices)
        devices->Add(std::move(platformDevices));
    driver_ = std::move(devices);
    midi_ = std::make_unique<ModuleMIDI>(*driver_, messages_, pump_, clock_);
    window_ = std::make_unique<MDIFormMain>(*midi_, session_, messages_, modal_, pump_);
    messages_.SetParent(window_.get());
    dialogs_.SetParent(window_.get());
    library_ = std::make_unique<LibraryDocuments>(*midi_, LibraryDocuments::DefaultBackupFolder());
    context_ = std::make_unique<WindowContext>(
        WindowContext{*midi_, messages_, store_, pump_, dialogs_, *library_, *window_, {}});
    RegisterWindows();
    // Input that falls due while no exchange waits is delivered too, so the activity panel
    // and the synth's unasked messages are seen.
    service_->setInterval(kServiceInterval);
    connect(service_, &QTimer::timeout, this, [this] { driver_->Service(); });
}

EditorApplication::~EditorApplication() {
    window_.reset();
    context_.reset();
    library_.reset();
    midi_.reset();
}

void EditorApplication::RegisterWindows() {
    // Each window kind registers its factory here as it is built.
    window_->SetChildFactory(MDIFormMain::Child::MidiMonitor,
                             [this] { return new FormMidiMonitor(midi_->Tap(), clock_); });
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
    window_->show();
    window_->Load();

    if (!options.screenshot.isEmpty()) {
        const QString path = options.screenshot;
        QTimer::singleShot(300, this, [this, path] {
            QTimer::singleShot(700, this, [this, path] { TakeScreenshot(path); });
            window_->ViewSettings();
        });
    } else if (options.quitWhenShown) {
        QTimer::singleShot(0, this, [this] { ReportShown(); });
    }

    const int code = QApplication::exec();
    window_->Unload();
    service_->stop();
    SynthMemoryFile::Save(emulator_->Synth(), MemoryPath());
    return exitCode_ != 0 ? exitCode_ : code;
}

void EditorApplication::TakeScreenshot(const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap picture = screen != nullptr ? screen->grabWindow(0) : QPixmap();
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
