// The editor: parses its few options and runs the application.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <future>
#include <iostream>
#include <memory>
#include <string_view>

#include "midi/MidiDriver.h"
#include "platform/QSettingsStore.h"
#include "rtmidi/RtMidiDriver.h"
#include "ui/app/EditorApplication.h"

namespace {
bool AsksForTextOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            break;
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (argument == option)
                return true;
        }
    }
    return false;
}

// Without a display the toolkit ends the process with an abort and a core dump; a platform named
// on the command line or in the environment (offscreen, for one) is taken at its word.
bool HasDisplay(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-platform" || argument == "--platform")
            return true;
    }
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
}  // namespace

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor and librarian for the ZEL-1."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption virtualSynth(
        QStringLiteral("virtual-synth"),
        QStringLiteral("Open the built-in virtual ZEL-1 (\"ZEL-1 Emulator\") as both ports."));
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Write a PNG of the screen with the settings "
                                                 "dialog open, then end."),
                                  QStringLiteral("file"));
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                     QStringLiteral("Report the start-up, then end."));
    quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption screenshotWindows(
        QStringLiteral("screenshot-window"),
        QStringLiteral("With --screenshot: picture these windows (\"Groups\", \"nodes\", ...) "
                       "instead of the settings dialog; may be repeated."),
        QStringLiteral("name"));
    screenshotWindows.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({virtualSynth, screenshot, screenshotWindows, quitWhenShown});
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Sound (.zel, .snd), group (.zeg) or bank (.zas, .als, .zag) files to "
                       "open; the editor asks before each goes to the synth."),
        QStringLiteral("[file...]"));

    // Help and the version are answered without a display. Everything else is read once the
    // toolkit has taken its own options (-platform, -style, ...) out of the command line.
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication textOnly(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("zel1edit"));
        QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
        parser.process(textOnly);  // prints and ends the process
        return 0;
    }
    if (!HasDisplay(argc, argv)) {
        QCoreApplication textOnly(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("zel1edit"));
        if (!parser.parse(QCoreApplication::arguments()))
            std::cerr << "zel1edit: " << parser.errorText().toStdString() << '\n';
        std::cerr << "zel1edit: no display to open windows on (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set). zel1-cli works without one.\n";
        return 1;
    }

    // The MIDI systems are joined while the toolkit starts: a JACK server takes about as long
    // to let a client in as the rest of the start together.
    std::future<std::unique_ptr<RtMidiDriver>> platformDevices =
        std::async(std::launch::async, [] { return std::make_unique<RtMidiDriver>(); });
    EditorApplication::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEL1Edit"));
    QApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Ties the windows to the menu entry and its icon on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zel1edit.ZEL1Edit"));
    parser.process(app);

    EditorApplication::Options options;
    options.virtualSynth = parser.isSet(virtualSynth);
    options.screenshot = parser.value(screenshot);
    options.screenshotWindows = parser.values(screenshotWindows);
    options.quitWhenShown = parser.isSet(quitWhenShown);
    for (const QString& file : parser.positionalArguments())
        options.files << QDir::current().absoluteFilePath(file);

    QSettingsStore store;
    EditorApplication editor(store, [&platformDevices]() -> std::unique_ptr<MidiDriver> {
        return platformDevices.get();
    });
    return editor.Run(options);
}
