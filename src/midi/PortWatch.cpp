#include "midi/PortWatch.h"

#include <algorithm>
#include <vector>

#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"

namespace {
int Find(const std::vector<MidiSettings::Device>& devices, const std::string& name) {
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const MidiSettings::Device& d) { return d.name == name; });
    return found == devices.end() ? -1 : found->id;
}
}  // namespace

PortWatch::Change PortWatch::Check() {
    if (midi_.ExchangeActive())
        return Change::None;
    const bool open = midi_.MidiInHandle() != 0 || midi_.MidiOutHandle() != 0;
    // Ports opened by someone else since they were lost are the ones to follow now.
    if (!lost_ || open) {
        lost_ = false;
        if (!open)
            return Change::None;
        in_ = midi_.InPortName();
        out_ = midi_.OutPortName();
    }
    midi_.RefreshDevices();
    const auto inputs = MidiSettings::InputDevices(midi_.Driver());
    const auto outputs = MidiSettings::OutputDevices(midi_.Driver());
    const int in = in_.empty() ? -1 : Find(inputs, in_);
    const int out = out_.empty() ? -1 : Find(outputs, out_);
    const bool listed = (in_.empty() || in >= 0) && (out_.empty() || out >= 0);
    if (!lost_) {
        // A system that could not be listed this time says nothing about its ports.
        if (listed || !midi_.Driver().ListingComplete())
            return Change::None;
        // Half a link is no link: both ports close, and both come back together.
        midi_.ClosePorts();
        lost_ = true;
        return Change::Vanished;
    }
    if (!listed)
        return Change::None;
    const bool reopened = (in_.empty() || midi_.OpenInPort(in, false)) &&
                          (out_.empty() || midi_.OpenOutPort(out, false));
    if (!reopened) {
        midi_.ClosePorts();
        return Change::None;
    }
    lost_ = false;
    return Change::Returned;
}

bool PortWatch::TwoPorts() const {
    return !in_.empty() && !out_.empty() && in_ != out_;
}

std::string PortWatch::Names() const {
    if (in_ == out_ || out_.empty())
        return in_;
    if (in_.empty())
        return out_;
    return in_ + "\" and \"" + out_;
}
