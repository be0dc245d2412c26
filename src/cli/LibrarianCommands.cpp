#include "cli/LibrarianCommands.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cctype>
#include <ostream>

#include "cli/VaryCommands.h"
#include "library/FileKinds.h"
#include "library/FileListing.h"
#include "library/LibraryFiles.h"
#include "library/PrintableName.h"
#include "library/RawFile.h"
#include "midi/MidiDriver.h"
#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassGroup.h"
#include "model/ClassGroups.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "model/ReadBackCheck.h"
#include "platform/SettingsStore.h"
#include "synth/EmulatorMidiDriver.h"

namespace {
constexpr int kAtLeastTwo = -2;

constexpr const char* kDescription =
    "Librarian for the ZEL-1: copies sounds and groups between the synth and files, converts\n"
    "older SND and ALS files and shows files as text.\n"
    "\n"
    "Commands:\n"
    "  ports                          list MIDI input and output devices\n"
    "  get-sounds FILE.zas            all 20 sounds from the synth into an all-sounds file\n"
    "                                 (2,761 bytes)\n"
    "  put-sounds FILE.zas|FILE.als   send all 20 sounds (an ALS file is converted first)\n"
    "  get-sound N FILE.zel           sound N (0-19) into a sound file (138 bytes)\n"
    "  put-sound N FILE.zel|FILE.snd  send one sound to slot N (0-19)\n"
    "  get-groups FILE.zag            all 20 groups into an all-groups file (1,640 bytes)\n"
    "  put-groups FILE.zag            send all 20 groups\n"
    "  get-group N FILE.zeg           group N (0-19) into a group file (82 bytes)\n"
    "  put-group N FILE.zeg           send one group to slot N (0-19)\n"
    "  convert IN.snd OUT.zel         convert an older file, no synth needed (also IN.als "
    "OUT.zas)\n"
    "  convert FILE... DIR            each .snd to DIR/NAME.zel and each .als to DIR/NAME.zas\n"
    "  export-html IN.zel OUT.htm     the sound's web page, no synth needed\n"
    "  show FILE                      a .zel, .zas, .zeg, .zag, .snd or .als file's contents\n"
    "  library COMMAND ...            the sound library: zel1-cli library --help\n"
    "%1"
    "\n"
    "Ports default to those the editor saved. A port is matched by its name, ignoring letter\n"
    "case, or by any part of its name that no other port's name holds.\n"
    "The put commands read back what they sent and fail when the synth holds something else\n"
    "(--no-verify skips this).\n"
    "Every message goes to standard error as one line \"Title: text\".\n"
    "Exit status: 0 success, 1 the synth or a file failed, 2 wrong usage.";

std::string Text(const QString& text) {
    return text.toStdString();
}

// The device a name given by the user means: the one whose name equals it, letter case aside (as
// the editor's settings match them), or else the only one whose name contains it. `candidates`
// lists the names that contain it when there are several; -1 when none or several match.
int FindDevice(const std::vector<MidiSettings::Device>& devices, const QString& name,
               std::vector<std::string>& candidates) {
    candidates.clear();
    int found = -1;
    for (const MidiSettings::Device& device : devices) {
        const QString deviceName = QString::fromStdString(device.name);
        if (deviceName.compare(name, Qt::CaseInsensitive) == 0)
            return device.id;
        if (!name.isEmpty() && deviceName.contains(name, Qt::CaseInsensitive)) {
            candidates.push_back(device.name);
            found = device.id;
        }
    }
    return candidates.size() == 1 ? found : -1;
}
// What each kind of record offers under one name, so that one routine serves all eight commands.
void Place(ClassSound& sound, int slot) {
    sound.SetNumber(static_cast<int16_t>(slot));
}
void Place(ClassGroup& group, int slot) {
    group.SetGroupNumber(static_cast<int16_t>(slot));
}
void Place(ClassSounds&, int) {}
void Place(ClassGroups&, int) {}

bool Request(ClassSound& sound) {
    return sound.RequestSound();
}
bool Request(ClassSounds& sounds) {
    return sounds.GetSoundsFromSynth();
}
bool Request(ClassGroup& group) {
    return group.RequestGroup();
}
bool Request(ClassGroups& groups) {
    return groups.GetGroupsFromSynth();
}

bool Save(const ClassSound& sound, const std::string& path, std::string& failure) {
    return SaveSoundFile(sound, path, failure);
}
bool Save(const ClassSounds& sounds, const std::string& path, std::string& failure) {
    return SaveAllSoundsFile(sounds, path, failure);
}
bool Save(const ClassGroup& group, const std::string& path, std::string& failure) {
    return SaveGroupFile(group, path, failure);
}
bool Save(const ClassGroups& groups, const std::string& path, std::string& failure) {
    return SaveAllGroupsFile(groups, path, failure);
}

OpenOutcome Open(ClassSound& sound, const std::string& path, std::string& failure) {
    return OpenSoundFile(sound, path, failure);
}
OpenOutcome Open(ClassSounds& sounds, const std::string& path, std::string& failure) {
    return OpenAllSoundsFile(sounds, path, failure);
}
OpenOutcome Open(ClassGroup& group, const std::string& path, std::string& failure) {
    return OpenGroupFile(group, path, failure);
}
OpenOutcome Open(ClassGroups& groups, const std::string& path, std::string& failure) {
    return OpenAllGroupsFile(groups, path, failure);
}

// What was sent, as the model encodes it.
RawData Sent(const ClassSound& sound) {
    return sound.EncodeRawSound();
}
RawData Sent(const ClassSounds& sounds) {
    RawData all(kAllSoundsFileBytes - 1, 0);
    sounds.EncodeRaw(all);
    return all;
}
RawData Sent(const ClassGroup& group) {
    RawData raw(kGroupFileBytes, 0);
    group.EncodeRawGroup(raw);
    return raw;
}
RawData Sent(const ClassGroups& groups) {
    RawData all(kAllGroupsFileBytes, 0);
    groups.EncodeRaw(all);
    return all;
}

std::string Name(const ClassSound& sound) {
    return sound.Name();
}
std::string Name(const ClassGroup& group) {
    return group.Name();
}
std::string Name(const ClassSounds&) {
    return {};
}
std::string Name(const ClassGroups&) {
    return {};
}
}  // namespace

// The eight commands that move sounds or groups between the synth and a file; the titles of
// file failures are those of the editor's own commands.
const LibrarianCommands::Transfer LibrarianCommands::kTransfers[] = {
    {"get-sounds", false, true, false, FileKind::AllSounds, FileKind::Other,
     "get-sounds writes a .zas file", "Sound Browser", &LibrarianCommands::Move<ClassSounds>},
    {"put-sounds", true, true, false, FileKind::AllSounds, FileKind::Als,
     "put-sounds reads a .zas or .als file", "Sound Browser",
     &LibrarianCommands::Move<ClassSounds>},
    {"get-sound", false, true, true, FileKind::Sound, FileKind::Other,
     "get-sound writes a .zel file", "Save As", &LibrarianCommands::Move<ClassSound>},
    {"put-sound", true, true, true, FileKind::Sound, FileKind::Snd,
     "put-sound reads a .zel or .snd file", "Open", &LibrarianCommands::Move<ClassSound>},
    {"get-groups", false, false, false, FileKind::AllGroups, FileKind::Other,
     "get-groups writes a .zag file", "Group Editor", &LibrarianCommands::Move<ClassGroups>},
    {"put-groups", true, false, false, FileKind::AllGroups, FileKind::Other,
     "put-groups reads a .zag file", "Group Editor", &LibrarianCommands::Move<ClassGroups>},
    {"get-group", false, false, true, FileKind::Group, FileKind::Other,
     "get-group writes a .zeg file", "Group Editor", &LibrarianCommands::Move<ClassGroup>},
    {"put-group", true, false, true, FileKind::Group, FileKind::Other,
     "put-group reads a .zeg file", "Group Editor", &LibrarianCommands::Move<ClassGroup>},
};

const LibrarianCommands::Command LibrarianCommands::kCommands[] = {
    {"ports", 0, &LibrarianCommands::Ports},
    {"convert", kAtLeastTwo, &LibrarianCommands::Convert},
    {"export-html", 2, &LibrarianCommands::ExportHtml},
    {"show", 1, &LibrarianCommands::Show},
};

LibrarianCommands::LibrarianCommands(DeviceSource devices, MidiDriver& virtualSynth,
                                     SettingsStore& settings, EventPump& pump, Clock& clock,
                                     std::ostream& out, std::ostream& err)
    : devices_(std::move(devices)),
      virtualSynth_(virtualSynth),
      settings_(settings),
      pump_(pump),
      clock_(clock),
      out_(out),
      err_(err),
      messages_(err) {}

LibrarianCommands::~LibrarianCommands() = default;

int LibrarianCommands::Run(const QStringList& arguments) {
    // The variations have options of their own and need no synth.
    if (arguments.size() > 1 && arguments[1] == QLatin1String("vary"))
        return VaryCommands(Offline(), out_, err_).Run(arguments);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kDescription).arg(QString::fromLatin1(VaryCommands::kHelp)));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption version({"v", "version"}, "Show the version.");
    const QCommandLineOption in("in", "MIDI input device NAME (default: the editor's).", "NAME");
    const QCommandLineOption out("out", "MIDI output device NAME (default: the editor's).", "NAME");
    const QCommandLineOption channel("channel", "System channel 1-16 (default: the editor's).",
                                     "1-16");
    const QCommandLineOption virtualSynth("virtual-synth", "Use the built-in virtual ZEL-1.");
    const QCommandLineOption noVerify("no-verify", "Do not read back what a put command sent.");
    parser.addOptions({help, version, in, out, channel, virtualSynth, noVerify});
    parser.addPositionalArgument("COMMAND", "One of the commands above.");
    parser.addPositionalArgument("ARGS", "The command's arguments.", "[ARGS...]");

    if (!parser.parse(arguments))
        return Usage(Text(parser.errorText()));
    if (parser.isSet(help)) {
        out_ << Text(parser.helpText());
        return kSuccess;
    }
    if (parser.isSet(version)) {
        out_ << "zel1-cli " << ZEL_VERSION << std::endl;
        return kSuccess;
    }
    options_ = Options{};
    options_.in = parser.value(in);
    options_.out = parser.value(out);
    options_.virtualSynth = parser.isSet(virtualSynth);
    options_.verify = !parser.isSet(noVerify);
    if (parser.isSet(channel)) {
        bool number = false;
        const int value = parser.value(channel).toInt(&number);
        if (!number || value < 1 || value > 16) {
            return Usage("the channel must be a number from 1 to 16, not \"" +
                         Text(parser.value(channel)) + "\"");
        }
        options_.channel = value - 1;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return Usage("no command given");
    const QString name = positional.takeFirst();
    for (const Transfer& transfer : kTransfers) {
        if (name != transfer.name)
            continue;
        if (positional.size() != (transfer.one ? 2 : 1))
            return Usage(std::string("wrong number of arguments for ") + transfer.name);
        return (this->*transfer.run)(transfer, positional);
    }
    for (const Command& command : kCommands) {
        if (name != command.name)
            continue;
        const bool countFits = command.arguments == kAtLeastTwo
                                   ? positional.size() >= 2
                                   : positional.size() == command.arguments;
        if (!countFits) {
            return Usage(std::string("wrong number of arguments for ") + command.name);
        }
        return (this->*command.run)(positional);
    }
    return Usage("unknown command \"" + Text(name) + "\"");
}

int LibrarianCommands::Usage(const std::string& problem) {
    // The parser's own texts end with a full stop already.
    std::string text = problem;
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    err_ << "zel1-cli: " << text << ". Try zel1-cli --help." << std::endl;
    return kUsage;
}

int LibrarianCommands::FileFailure(const std::string& title, const std::string& description) {
    messages_.Show(description, title, MessageFlags::Critical);
    return kFailed;
}

int LibrarianCommands::SynthFailure(int shownBefore) {
    if (messages_.Shown() == shownBefore) {
        err_ << "zel1-cli: the ZEL-1 answered with other data than was asked for; nothing was "
                "written."
             << std::endl;
    }
    return kFailed;
}

MidiDriver& LibrarianCommands::Devices() {
    return options_.virtualSynth ? virtualSynth_ : devices_();
}

int LibrarianCommands::Connect() {
    const MidiSettings::Choices saved = MidiSettings::Read(settings_);
    QString inName = options_.in.isEmpty() ? QString::fromStdString(saved.in) : options_.in;
    QString outName = options_.out.isEmpty() ? QString::fromStdString(saved.out) : options_.out;
    if (options_.virtualSynth) {
        inName = outName = EmulatorMidiDriver::kDeviceName;
    }
    if (inName.isEmpty() || outName.isEmpty()) {
        return Usage(
            "no MIDI port chosen: give --in NAME and --out NAME (see zel1-cli ports), "
            "choose them in the editor's settings, or use --virtual-synth");
    }
    const int channel = options_.channel >= 0 ? options_.channel : saved.systemChannel;

    MidiDriver& driver = Devices();
    std::vector<std::string> inCandidates;
    std::vector<std::string> outCandidates;
    const int inId = FindDevice(MidiSettings::InputDevices(driver), inName, inCandidates);
    const int outId = FindDevice(MidiSettings::OutputDevices(driver), outName, outCandidates);
    if (inId < 0 || outId < 0) {
        const bool input = inId < 0;
        const std::vector<std::string>& candidates = input ? inCandidates : outCandidates;
        err_ << "zel1-cli: ";
        if (candidates.size() > 1) {
            err_ << "\"" << Text(input ? inName : outName) << "\" names several MIDI "
                 << (input ? "input" : "output") << " devices:";
            for (const std::string& candidate : candidates)
                err_ << " \"" << candidate << "\"";
            err_ << "; give more of the name." << std::endl;
        } else {
            err_ << "no MIDI " << (input ? "input" : "output") << " device named \""
                 << Text(input ? inName : outName) << "\" (zel1-cli ports lists them)."
                 << std::endl;
        }
        return kFailed;
    }
    midi_ = std::make_unique<ModuleMIDI>(driver, messages_, pump_, clock_);
    if (!midi_->OpenInPort(inId) || !midi_->OpenOutPort(outId))
        return kFailed;
    midi_->SetSystemChannel(channel);
    return kSuccess;
}

ModuleMIDI& LibrarianCommands::Offline() {
    if (!offline_)
        offline_ = std::make_unique<ModuleMIDI>(virtualSynth_, messages_, pump_, clock_);
    return *offline_;
}

int LibrarianCommands::Slot(const QString& text) {
    bool number = false;
    const int slot = text.toInt(&number);
    return number && slot >= 0 && slot < 20 ? slot : -1;
}

int LibrarianCommands::Verify(bool sounds, int firstSlot, const RawData& sent,
                              const std::string& what) {
    const ReadBackCheck::Records records =
        sounds ? ReadBackCheck::Records::Sounds : ReadBackCheck::Records::Groups;
    const ReadBackCheck::Outcome outcome = ReadBackCheck::Verify(*midi_, records, firstSlot, sent);
    if (!outcome.readBack) {
        err_ << "zel1-cli: " << what << " could not be read back to verify it was stored "
             << "(--no-verify skips the check)." << std::endl;
        return kFailed;
    }
    if (outcome.differences.empty())
        return kSuccess;
    const ReadBackCheck::Difference& first = outcome.differences.front();
    err_ << "zel1-cli: " << (sounds ? "sound " : "group ") << first.slot << " ("
         << PrintableName(first.name) << ") differs on the ZEL-1 from what was sent, in "
         << ReadBackCheck::ParameterList(first.parameters) << "." << std::endl;
    return kFailed;
}

int LibrarianCommands::Finish(OpenOutcome outcome, const std::string& title,
                              const std::string& failure, const std::string& done) {
    switch (outcome) {
        case OpenOutcome::kDone:
            out_ << done << std::endl;
            return kSuccess;
        case OpenOutcome::kFileFailed:
            return FileFailure(title, failure);
        case OpenOutcome::kSynthFailed:
            break;
    }
    return kFailed;
}

// ----------------------------------------------------------------------------------------------
// Commands on the synth. Each checks its arguments before it opens a port, and writes a file
// only from data the synth delivered completely.

template <typename Records>
int LibrarianCommands::Move(const Transfer& transfer, const QStringList& args) {
    const char* record = transfer.sounds ? "sound" : "group";
    const int slot = transfer.one ? Slot(args[0]) : -1;
    const std::string path = Text(args.back());
    const FileKind kind = KindOfFile(path);
    if (transfer.one && slot < 0)
        return Usage(std::string("the ") + record + " number must be 0 to 19");
    if (kind != transfer.file && (!transfer.put || kind != transfer.older))
        return Usage(transfer.usage);
    if (const int status = Connect(); status != kSuccess)
        return status;
    Records records(*midi_);
    Place(records, slot);
    const std::string one = std::string(record) + " " + std::to_string(slot);
    const std::string all = std::string("the 20 ") + record + "s";
    std::string failure;
    if (!transfer.put) {
        const int shown = messages_.Shown();
        if (!Request(records))
            return SynthFailure(shown);
        if (!Save(records, path, failure))
            return FileFailure(transfer.title, failure);
        out_ << "Saved " << (transfer.one ? one + " (" + PrintableName(Name(records)) + ")" : all)
             << " to " << path << std::endl;
        return kSuccess;
    }
    const OpenOutcome outcome = Open(records, path, failure);
    if (outcome == OpenOutcome::kDone && options_.verify) {
        std::string what = transfer.one ? one : all;
        what[0] = static_cast<char>(std::toupper(what[0]));
        if (const int status = Verify(transfer.sounds, std::max(slot, 0), Sent(records), what);
            status != kSuccess) {
            return status;
        }
    }
    return Finish(outcome, transfer.title, failure,
                  transfer.one ? "Sent " + PrintableName(Name(records)) + " to " + one
                               : "Sent " + all + " of " + path + " to the ZEL-1");
}

// ----------------------------------------------------------------------------------------------
// Commands that need no synth

int LibrarianCommands::Ports(const QStringList&) {
    MidiDriver& driver = Devices();
    out_ << "MIDI In:\n";
    for (const MidiSettings::Device& device : MidiSettings::InputDevices(driver)) {
        out_ << "  " << device.name << '\n';
    }
    out_ << "MIDI Out:\n";
    for (const MidiSettings::Device& device : MidiSettings::OutputDevices(driver)) {
        out_ << "  " << device.name << '\n';
    }
    out_.flush();
    return kSuccess;
}

int LibrarianCommands::Convert(const QStringList& args) {
    const QString last = args.last();
    const bool intoFolder = QFileInfo(last).isDir();
    if (!intoFolder && args.size() != 2) {
        return Usage("the last argument of convert with several files must be a folder");
    }
    const QStringList inputs = args.mid(0, args.size() - 1);
    for (const QString& input : inputs) {
        const FileKind kind = KindOfFile(Text(input));
        if (kind != FileKind::Snd && kind != FileKind::Als) {
            return Usage("convert reads .snd and .als files, not \"" + Text(input) + "\"");
        }
        if (!intoFolder) {
            const FileKind wanted = kind == FileKind::Snd ? FileKind::Sound : FileKind::AllSounds;
            if (KindOfFile(Text(last)) != wanted) {
                return Usage(std::string("a converted ") +
                             (kind == FileKind::Snd ? ".snd" : ".als") + " file goes into a " +
                             (kind == FileKind::Snd ? ".zel" : ".zas") + " file, not \"" +
                             Text(last) + "\"");
            }
        }
    }

    // Where each input goes; two inputs of one name would overwrite each other's result.
    QStringList outputs;
    for (const QString& input : inputs) {
        const bool single = KindOfFile(Text(input)) == FileKind::Snd;
        outputs << (intoFolder ? QDir(last).filePath(QFileInfo(input).completeBaseName() +
                                                     (single ? ".zel" : ".zas"))
                               : last);
        const qsizetype earlier = outputs.indexOf(outputs.last());
        if (earlier < outputs.size() - 1) {
            return Usage("\"" + Text(inputs[earlier]) + "\" and \"" + Text(input) +
                         "\" would both be converted into \"" + Text(outputs.last()) +
                         "\"; nothing was converted");
        }
    }

    int status = kSuccess;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const QString& input = inputs[i];
        const bool single = KindOfFile(Text(input)) == FileKind::Snd;
        const QString& output = outputs[i];
        RawData data;
        std::string failure;
        const bool read = single ? ReadSoundFile(Text(input), data, failure)
                                 : ReadAllSoundsFile(Text(input), data, failure);
        if (!read) {
            status = FileFailure(single ? "Open" : "Sound Browser", failure);
            continue;
        }
        if (!WriteRawFile(data, Text(output), failure)) {
            status = FileFailure(single ? "Save As" : "Sound Browser", failure);
        }
    }
    return status;
}

int LibrarianCommands::ExportHtml(const QStringList& args) {
    const std::string input = Text(args[0]);
    const std::string output = Text(args[1]);
    const FileKind kind = KindOfFile(input);
    if (kind != FileKind::Sound && kind != FileKind::Snd) {
        return Usage("export-html reads a .zel or .snd file");
    }
    if (KindOfFile(output) != FileKind::Html)
        return Usage("export-html writes a .htm file");
    RawData raw;
    std::string failure;
    if (!ReadSoundFile(input, raw, failure))
        return FileFailure("Open", failure);
    ClassSound sound(Offline());
    sound.DecodeRawSound(raw);
    if (!SaveSoundFile(sound, output, failure))
        return FileFailure("Save As", failure);
    return kSuccess;
}

int LibrarianCommands::Show(const QStringList& args) {
    const std::string path = Text(args.first());
    const FileKind kind = KindOfFile(path);
    RawData data;
    std::string failure;
    bool read = false;
    switch (kind) {
        case FileKind::Sound:
        case FileKind::Snd:
            read = ReadSoundFile(path, data, failure);
            break;
        case FileKind::AllSounds:
        case FileKind::Als:
            read = ReadAllSoundsFile(path, data, failure);
            break;
        case FileKind::Group:
            read = ReadGroupFile(path, data, failure);
            break;
        case FileKind::AllGroups:
            read = ReadAllGroupsFile(path, data, failure);
            break;
        case FileKind::Html:
        case FileKind::Other:
            return Usage("show reads .zel, .zas, .zeg, .zag, .snd and .als files, not \"" + path +
                         "\"");
    }
    if (!read)
        return FileFailure("Open", failure);
    out_ << path << ": " << DescribeKind(kind) << ", " << QFileInfo(args.first()).size()
         << " bytes\n"
         << ListFile(kind, data, Offline());
    out_.flush();
    return kSuccess;
}
