// zel1-emulator: a virtual ZEL-1 on real MIDI ports (JACK or ALSA), for trying the editor without
// the hardware and for the end-to-end tests.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"
#include "rtmidi/VirtualZel1Ports.h"
#include "synth/EmulatorMidiDriver.h"
#include "synth/SynthMemoryFile.h"
#include "synth/VirtualZel1.h"

namespace {
volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

void Fail(const QString& text) {
    std::fprintf(stderr, "zel1-emulator: %s\n", text.toLocal8Bit().constData());
}

bool LoadMemory(VirtualZel1& synth, const QString& path) {
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    std::string reason;
    if (!SynthMemoryFile::Load(synth, path, &reason)) {
        Fail(QStringLiteral("cannot read %1: %2").arg(path, QString::fromStdString(reason)));
        return false;
    }
    return true;
}

bool SaveMemory(const VirtualZel1& synth, const QString& path) {
    std::string reason;
    if (!SynthMemoryFile::Save(synth, path, &reason)) {
        Fail(QStringLiteral("cannot save %1: %2").arg(path, QString::fromStdString(reason)));
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zel1-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A virtual ZEL-1 on MIDI ports: answers requests with dumps, takes dumps "
                       "and parameter changes, as the synth does."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption apiOption(
        QStringLiteral("api"),
        QStringLiteral("MIDI system: jack or alsa (default: the first that starts)."),
        QStringLiteral("api"));
    const QCommandLineOption nameOption(
        QStringLiteral("name"),
        QStringLiteral("Name of the ports (default \"%1\").")
            .arg(QString::fromUtf8(EmulatorMidiDriver::kDeviceName)),
        QStringLiteral("name"), QString::fromUtf8(EmulatorMidiDriver::kDeviceName));
    const QCommandLineOption channelOption(QStringLiteral("channel"),
                                           QStringLiteral("System channel, 1 to 16."),
                                           QStringLiteral("channel"));
    const QCommandLineOption protectOption(QStringLiteral("protect"),
                                           QStringLiteral("Memory protect on: dumps are refused."));
    const QCommandLineOption cableOption(
        QStringLiteral("cable-speed"),
        QStringLiteral("Replies leave after the time request and reply take on a MIDI cable."));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
                                          QStringLiteral("Never answer."));
    const QCommandLineOption corruptOption(QStringLiteral("corrupt-checksum"),
                                           QStringLiteral("Dumps carry a wrong checksum."));
    const QCommandLineOption otherChannelOption(QStringLiteral("other-channel"),
                                                QStringLiteral("Dumps go out on another channel."));
    const QCommandLineOption cutShortOption(QStringLiteral("cut-short"),
                                            QStringLiteral("Dumps lose their second half."));
    const QCommandLineOption memoryOption(
        QStringLiteral("memory"),
        QStringLiteral("Memory image: loaded at start if it exists, saved on exit."),
        QStringLiteral("file"));
    parser.addOptions({apiOption, nameOption, channelOption, protectOption, cableOption,
                       silentOption, corruptOption, otherChannelOption, cutShortOption,
                       memoryOption});
    parser.process(app);

    VirtualZel1 synth;
    const QString memoryPath = parser.value(memoryOption);
    if (!memoryPath.isEmpty() && !LoadMemory(synth, memoryPath))
        return 1;
    if (parser.isSet(channelOption)) {
        bool ok = false;
        const int channel = parser.value(channelOption).toInt(&ok);
        if (!ok || channel < 1 || channel > 16) {
            Fail(QStringLiteral("--channel takes 1 to 16, not \"%1\"")
                     .arg(parser.value(channelOption)));
            return 1;
        }
        synth.SetSystemChannel(channel - 1);
    }
    if (parser.isSet(protectOption))
        synth.SetMemoryProtect(true);
    VirtualZel1::Faults& faults = synth.GetFaults();
    faults.silent = parser.isSet(silentOption);
    faults.corruptChecksum = parser.isSet(corruptOption);
    faults.replyOnOtherChannel = parser.isSet(otherChannelOption);
    faults.cutShort = parser.isSet(cutShortOption);

    std::vector<std::string> apis;
    if (parser.isSet(apiOption)) {
        const std::string api = parser.value(apiOption).toLower().toStdString();
        if (api != "jack" && api != "alsa") {
            Fail(QStringLiteral("--api takes jack or alsa, not \"%1\"")
                     .arg(parser.value(apiOption)));
            return 1;
        }
        apis.push_back(api);
    } else {
        apis = RtMidiDriver::CompiledApis();
    }

    // Stop cleanly (and keep the memory) from here on.
    std::signal(SIGINT, &RequestStop);
    std::signal(SIGTERM, &RequestStop);

    SteadyClock clock;
    VirtualZel1Ports ports(synth, clock);
    ports.SetCableSpeed(parser.isSet(cableOption));
    const std::string name = parser.value(nameOption).toStdString();
    std::string api;
    QStringList reasons;
    for (const std::string& candidate : apis) {
        std::string error;
        if (ports.Open(candidate, name, error)) {
            api = candidate;
            break;
        }
        reasons << QStringLiteral("%1: %2").arg(QString::fromStdString(candidate),
                                                QString::fromStdString(error));
    }
    if (!ports.IsOpen()) {
        Fail(QStringLiteral("no MIDI system could start (%1)")
                 .arg(reasons.join(QStringLiteral("; "))));
        return 1;
    }

    std::printf("zel1-emulator listening through %s: MIDI In \"%s\", MIDI Out \"%s\"\n",
                api == "jack" ? "JACK" : "ALSA", ports.InPortName().c_str(),
                ports.OutPortName().c_str());
    std::fflush(stdout);

    while (!stopRequested)
        ports.RunOnce(0.05);

    if (!memoryPath.isEmpty() && !SaveMemory(synth, memoryPath))
        return 1;
    return 0;
}
