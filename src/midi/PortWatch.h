#pragma once

#include <string>

class ModuleMIDI;

// Follows the synth's ports by name. A port whose name leaves the driver's lists (an interface
// unplugged, a MIDI server restarted) is closed; when ports of the followed names are listed
// again they are opened again, without a word on failure: the next look tries once more.
class PortWatch {
  public:
    enum class Change { None, Vanished, Returned };

    explicit PortWatch(ModuleMIDI& midi) : midi_(midi) {}

    // One look at the driver's device lists. Nothing happens while an exchange waits, nor when
    // the driver could not list a system it listed before (a loaded server that did not answer).
    Change Check();
    // The followed port names, "In" and "Out" joined when they differ.
    std::string Names() const;
    // True when Names() names two ports.
    bool TwoPorts() const;

  private:
    ModuleMIDI& midi_;
    std::string in_;
    std::string out_;
    bool lost_ = false;
};
