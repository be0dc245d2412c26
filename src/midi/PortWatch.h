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

    // One look at the driver's device lists. Nothing happens while an exchange waits.
    Change Check();
    // The followed port names, "In" and "Out" joined when they differ.
    std::string Names() const;

  private:
    ModuleMIDI& midi_;
    std::string in_;
    std::string out_;
    bool lost_ = false;
};
