#pragma once

#include <QString>
#include <string>

// Names as the synth stores them: one byte per character, read as Latin-1. What a user types is
// turned into those bytes character by character, so a name is never cut inside a character and
// what the list shows is what the synth holds.
namespace SynthText {

// One byte per character typed; a character the synth cannot hold (outside Latin-1, or a control
// character) becomes "?".
std::string FromTyped(const QString& typed);

// The stored bytes as text to show.
QString ToShown(const std::string& bytes);

}  // namespace SynthText
