// The editor: parses its few options and runs the application.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <memory>

#include "midi/MidiDriver.h"
#include "platform/QSettingsStore.h"
#include "rtmidi/RtMidiDriver.h"
#include "ui/app/EditorApplication.h"

int main(int argc, char* argv[]) {
    EditorApplication::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEL1Edit"));
    QApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));

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
    parser.process(app);

    EditorApplication::Options options;
    options.virtualSynth = parser.isSet(virtualSynth);
    options.screenshot = parser.value(screenshot);
    options.screenshotWindows = parser.values(screenshotWindows);
    options.quitWhenShown = parser.isSet(quitWhenShown);

    QSettingsStore store;
    EditorApplication editor(store, std::make_unique<RtMidiDriver>());
    return editor.Run(options);
}
