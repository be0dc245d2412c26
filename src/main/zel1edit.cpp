// The editor: parses its few options and runs the application.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <memory>

#include "midi/MidiDriver.h"
#include "platform/QSettingsStore.h"
#include "rtmidi/RtMidiDriver.h"
#include "ui/app/EditorApplication.h"

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor and librarian for the ZEL-1."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
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

    // Help, the version and wrong options are answered without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments) || parser.isSet(help) || parser.isSet(version) ||
        parser.isSet(QStringLiteral("help-all"))) {
        QCoreApplication textOnly(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("zel1edit"));
        QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
        parser.process(textOnly);  // prints and ends the process
        return 0;
    }

    EditorApplication::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEL1Edit"));
    QApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Ties the windows to the menu entry and its icon on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zel1edit.ZEL1Edit"));

    EditorApplication::Options options;
    options.virtualSynth = parser.isSet(virtualSynth);
    options.screenshot = parser.value(screenshot);
    options.screenshotWindows = parser.values(screenshotWindows);
    options.quitWhenShown = parser.isSet(quitWhenShown);
    for (const QString& file : parser.positionalArguments())
        options.files << QDir::current().absoluteFilePath(file);

    QSettingsStore store;
    EditorApplication editor(store, std::make_unique<RtMidiDriver>());
    return editor.Run(options);
}
