#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "cli/StreamMessageSink.h"
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
    // Compares what a put command sent with what the synth gave back (both as the model encodes
    // them, records of recordBytes from slot firstSlot on); says what differs first, or that
    // nothing could be read back (`what` names what was sent). Returns the exit status.
    int Verify(bool readBack, const RawData& sent, const RawData& back, int recordBytes,
               int firstSlot, const std::string& what);
    int Finish(OpenOutcome outcome, const std::string& title, const std::string& failure,
               const std::string& done);

    int Ports(const QStringList& args);
    int GetSounds(const QStringList& args);
    int PutSounds(const QStringList& args);
    int GetSound(const QStringList& args);
    int PutSound(const QStringList& args);
    int GetGroups(const QStringList& args);
    int PutGroups(const QStringList& args);
    int GetGroup(const QStringList& args);
    int PutGroup(const QStringList& args);
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
