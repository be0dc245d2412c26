#pragma once

#include <string>

// A sound's or group's name as text for a terminal. The name's bytes come from files and from
// the synth and may hold anything; a control byte or an escape sequence printed as it is would
// act on the terminal. NULs at the end are dropped; every byte outside printable ASCII (and the
// backslash) becomes \xNN, so the output still shows exactly which bytes the name holds.
std::string PrintableName(const std::string& name);
