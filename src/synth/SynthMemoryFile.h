#pragma once

#include <QString>

class VirtualZel1;

// The built-in virtual ZEL-1 keeps its memory between runs, as the hardware would: one file in
// the user's data folder, shared by the editor and the command-line librarian.
class SynthMemoryFile {
  public:
    static constexpr const char* kFolder = "ZEL1Edit";
    static constexpr const char* kFile = "virtual-zel1.mem";

    // <user data folder>/ZEL1Edit/virtual-zel1.mem
    static QString DefaultPath();
    // False (the synth keeps what it has) when the file is missing or damaged.
    static bool Load(VirtualZel1& synth, const QString& path);
    // Replaces the file atomically; false when it cannot be written.
    static bool Save(const VirtualZel1& synth, const QString& path);
};
