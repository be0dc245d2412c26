#pragma once

#include <QStringList>
#include <iosfwd>
#include <string>

#include "midi/RawData.h"

class ModuleMIDI;

// zel1-cli's "vary" commands: new sound files made from sound files by the variations, without
// a synth. A seed that the user gives makes the result reproducible; one that is not given is
// drawn and printed.
class VaryCommands {
  public:
    static constexpr const char* kHelp =
        "  vary randomise IN.zel OUT.zel [--amount N] [--lock GROUPS] [--seed N]\n"
        "                                 a random variation of IN, by N % (default 25)\n"
        "  vary nudge IN.zel OTHER.zel OUT.zel [--away] [--amount N] [--lock GROUPS] [--seed N]\n"
        "                                 IN moved N % towards (or away from) OTHER\n"
        "  vary morph A.zel B.zel OUT.zel --at T [--lock GROUPS]\n"
        "                                 between A (T = 0) and B (T = 1), A's name kept\n"
        "                                 GROUPS: tuning, waves, rates, levels, envelopes, lfos,\n"
        "                                 modulation, algorithm, none (randomise locks the\n"
        "                                 algorithm unless --lock is given)\n";

    // offline: a link without ports, for the model's decoding and encoding of sounds.
    VaryCommands(ModuleMIDI& offline, std::ostream& out, std::ostream& err);

    // arguments[0] is the program's name, arguments[1] "vary". Returns the exit status.
    int Run(const QStringList& arguments);

  private:
    int Usage(const std::string& problem);
    // The sound file at path as the model holds it; false after saying why.
    bool ReadSound(const QString& path, RawData& raw);

    ModuleMIDI& offline_;
    std::ostream& out_;
    std::ostream& err_;
};
