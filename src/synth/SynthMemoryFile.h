#pragma once

#include <QString>
#include <string>

class VirtualZel1;

// The built-in virtual ZEL-1 keeps its memory between runs, as the hardware would: one file in
// the user's data folder, shared by the editor and the command-line librarian.
class SynthMemoryFile {
  public:
    static constexpr const char* kFolder = "ZEL1Edit";
    static constexpr const char* kFile = "virtual-zel1.mem";

    // <user data folder>/ZEL1Edit/virtual-zel1.mem
    static QString DefaultPath();
    // Larger files are not looked at: the image is a few kilobytes.
    static constexpr qint64 kMaxBytes = 65536;

    // False (the synth keeps what it has) when the file is missing, damaged or not a regular
    // file; `failure`, when given, says why.
    static bool Load(VirtualZel1& synth, const QString& path, std::string* failure = nullptr);
    // Replaces the file atomically; false when it cannot be written completely, with the
    // system's reason in `failure` when given. The earlier file then stays whole.
    static bool Save(const VirtualZel1& synth, const QString& path, std::string* failure = nullptr);
};
