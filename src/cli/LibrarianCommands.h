#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "cli/StreamMessageSink.h"
#include "library/FileKinds.h"
#include "midi/RawData.h"

enum class OpenOutcome;
class Clock;
class EventPump;
class MidiDriver;
class ModuleMIDI;
class SettingsStore;

// The command-line librarian: moves sounds and groups between the ZEL-1 and the editor's files,
// converts older files and shows files as text. It uses the editor's own exchange, model and
// file routines; every message the editor would show in a box goes to the error stream as one
// line "Title: text".
class LibrarianCommands {
  public:
    enum ExitCode : int { kSuccess = 0, kFailed = 1, kUsage = 2 };

    // Gives every MIDI device the program can reach; called only by commands that use ports, so
    // the others never start a MIDI system.
    using DeviceSource = std::function<MidiDriver&()>;

    // virtualSynth: the built-in virtual ZEL-1, used instead of the devices with --virtual-synth.
    // settings: the editor's saved port and channel choices.
    LibrarianCommands(DeviceSource devices, MidiDriver& virtualSynth, SettingsStore& settings,
                      EventPump& pump, Clock& clock, std::ostream& out, std::ostream& err);
    ~LibrarianCommands();
    LibrarianCommands(const LibrarianCommands&) = delete;
    LibrarianCommands& operator=(const LibrarianCommands&) = delete;

    // arguments[0] is the program's name. Returns the exit status.
    int Run(const QStringList& arguments);

  private:
    struct Options {
        QString in;
        QString out;
        int channel = -1;  // 0..15, or -1 for the saved one
        bool virtualSynth = false;
        bool verify = true;  // put commands read back what they sent
    };
    using Handler = int (LibrarianCommands::*)(const QStringList&);
    struct Command {
        const char* name;
        int arguments;  // exact count, or -2 for "two or more"
        Handler run;
    };
    static const Command kCommands[];
    struct Transfer;
    using TransferHandler = int (LibrarianCommands::*)(const Transfer&, const QStringList&);
    // A command that moves sounds or groups between the synth and a file.
    struct Transfer {
        const char* name;
        bool put;     // to the synth; else from it
        bool sounds;  // else groups
        bool one;     // one record, its slot given before the file; else all 20
        FileKind file;
        FileKind older;     // an older kind a put command converts too, or FileKind::Other
        const char* usage;  // what the command says of a file of another kind
        const char* title;  // the title of a file failure
        TransferHandler run;
    };
    static const Transfer kTransfers[];

    int Usage(const std::string& problem);
    int FileFailure(const std::string& title, const std::string& description);
    // An exchange that failed; says so when the exchange itself showed nothing (a reply of
    // another kind than asked for).
    int SynthFailure(int shownBefore);
    // Opens the synth's ports as chosen by the options or the editor's settings.
    int Connect();
    MidiDriver& Devices();

    // A ModuleMIDI without ports, for decoding files into model objects that never send.
    ModuleMIDI& Offline();
    // The slot number 0..19 in text, or -1.
    static int Slot(const QString& text);
    // Reads back what a put command sent (from slot firstSlot on) and compares it; names the
    // first record that differs with its parameters, or says that nothing could be read back
    // (`what` names what was sent). Returns the exit status.
    int Verify(bool sounds, int firstSlot, const RawData& sent, const std::string& what);
    int Finish(OpenOutcome outcome, const std::string& title, const std::string& failure,
               const std::string& done);

    int Ports(const QStringList& args);
    // One of the eight transfer commands on records of the model class Records.
    template <typename Records>
    int Move(const Transfer& transfer, const QStringList& args);
    int Convert(const QStringList& args);
    int ExportHtml(const QStringList& args);
    int Show(const QStringList& args);

    DeviceSource devices_;
    MidiDriver& virtualSynth_;
    SettingsStore& settings_;
    EventPump& pump_;
    Clock& clock_;
    std::ostream& out_;
    std::ostream& err_;
    StreamMessageSink messages_;
    Options options_;
    std::unique_ptr<ModuleMIDI> midi_;
    std::unique_ptr<ModuleMIDI> offline_;
};
