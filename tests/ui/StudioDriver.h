#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "synth/EmulatorMidiDriver.h"

// The virtual ZEL-1 among other devices, as a studio computer lists them. The device named
// "ZEL-1 Emulator" is the real virtual synth; the others accept being opened and closed (and
// swallow what is sent to them) or refuse to open with a given code.
class StudioDriver : public EmulatorMidiDriver {
  public:
    struct Device {
        std::string name;
        uint16_t technology = MidiCode::TechMidiPort;
        MidiResult openResult = MidiCode::NoError;
    };

    StudioDriver(Clock& clock, std::vector<Device> inputs, std::vector<Device> outputs)
        : EmulatorMidiDriver(clock), inputs_(std::move(inputs)), outputs_(std::move(outputs)) {}

    // A device plugged in now; it is listed once the driver looks again.
    void PlugIn(Device input, Device output) {
        pluggedIn_.push_back(std::move(input));
        pluggedOut_.push_back(std::move(output));
    }
    // A device unplugged now; it leaves the lists once the driver looks again.
    void Unplug(const std::string& name) { unplugged_.insert(name); }
    // The next look lists nothing, as a MIDI server too loaded to answer in time; the look after
    // it lists the devices again.
    void FailNextListing() { failNext_ = true; }
    bool ListingComplete() const override { return stashed_.empty(); }
    void Refresh() override {
        if (failNext_) {
            failNext_ = false;
            stashed_ = {std::move(inputs_), std::move(outputs_)};
            inputs_.clear();
            outputs_.clear();
            return;
        }
        if (!stashed_.empty()) {
            inputs_ = std::move(stashed_[0]);
            outputs_ = std::move(stashed_[1]);
            stashed_.clear();
        }
        for (auto* list : {&inputs_, &outputs_}) {
            std::erase_if(*list, [&](const Device& d) { return unplugged_.count(d.name) != 0; });
        }
        unplugged_.clear();
        inputs_.insert(inputs_.end(), pluggedIn_.begin(), pluggedIn_.end());
        outputs_.insert(outputs_.end(), pluggedOut_.begin(), pluggedOut_.end());
        pluggedIn_.clear();
        pluggedOut_.clear();
    }

    // A short message played on another device's open input, delivered as its driver would.
    void Play(MidiHandle input, uint32_t packed) {
        if (auto player = players_.find(input); player != players_.end())
            player->second(input, MidiCode::InData, packed, 0);
    }

    // Handles of the other devices that are open now.
    const std::set<MidiHandle>& OpenOthers() const { return openOthers_; }

    uint32_t InGetNumDevs() override { return static_cast<uint32_t>(inputs_.size()); }
    uint32_t OutGetNumDevs() override { return static_cast<uint32_t>(outputs_.size()); }
    MidiResult InGetDevCaps(uint32_t id, MidiInCaps& caps) override {
        if (id >= inputs_.size())
            return MidiCode::BadDeviceId;
        caps.productName = inputs_[id].name;
        return MidiCode::NoError;
    }
    MidiResult OutGetDevCaps(uint32_t id, MidiOutCaps& caps) override {
        if (id >= outputs_.size())
            return MidiCode::BadDeviceId;
        caps.productName = outputs_[id].name;
        caps.technology = outputs_[id].technology;
        return MidiCode::NoError;
    }

    MidiResult InOpen(MidiHandle& handle, uint32_t id, MidiInProc callback,
                      uint32_t flags) override {
        if (id >= inputs_.size())
            return MidiCode::BadDeviceId;
        if (IsSynth(inputs_[id]))
            return EmulatorMidiDriver::InOpen(handle, 0, callback, flags);
        const MidiResult opened = OpenOther(inputs_[id], kInBase + id, handle);
        if (opened == MidiCode::NoError)
            players_[handle] = std::move(callback);
        return opened;
    }
    MidiResult OutOpen(MidiHandle& handle, uint32_t id) override {
        if (id >= outputs_.size())
            return MidiCode::BadDeviceId;
        if (IsSynth(outputs_[id]))
            return EmulatorMidiDriver::OutOpen(handle, 0);
        return OpenOther(outputs_[id], kOutBase + id, handle);
    }

    MidiResult InStart(MidiHandle h) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InStart(h);
    }
    MidiResult InStop(MidiHandle h) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InStop(h);
    }
    MidiResult InReset(MidiHandle h) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InReset(h);
    }
    MidiResult InClose(MidiHandle h) override {
        players_.erase(h);
        return Close(h) ? 0 : EmulatorMidiDriver::InClose(h);
    }
    MidiResult InPrepareHeader(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InPrepareHeader(h, m);
    }
    MidiResult InAddBuffer(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InAddBuffer(h, m);
    }
    MidiResult InUnprepareHeader(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::InUnprepareHeader(h, m);
    }
    MidiResult OutReset(MidiHandle h) override {
        return Other(h) ? 0 : EmulatorMidiDriver::OutReset(h);
    }
    MidiResult OutClose(MidiHandle h) override {
        return Close(h) ? 0 : EmulatorMidiDriver::OutClose(h);
    }
    MidiResult OutPrepareHeader(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::OutPrepareHeader(h, m);
    }
    MidiResult OutLongMsg(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::OutLongMsg(h, m);
    }
    MidiResult OutUnprepareHeader(MidiHandle h, MidiHeader& m) override {
        return Other(h) ? 0 : EmulatorMidiDriver::OutUnprepareHeader(h, m);
    }
    MidiResult OutShortMsg(MidiHandle h, uint32_t message) override {
        return Other(h) ? 0 : EmulatorMidiDriver::OutShortMsg(h, message);
    }

  private:
    static constexpr MidiHandle kInBase = 0x500;
    static constexpr MidiHandle kOutBase = 0x600;

    static bool IsSynth(const Device& device) { return device.name == kDeviceName; }
    bool Other(MidiHandle handle) const { return openOthers_.count(handle) != 0; }
    bool Close(MidiHandle handle) { return openOthers_.erase(handle) != 0; }
    MidiResult OpenOther(const Device& device, MidiHandle handle, MidiHandle& out) {
        if (device.openResult != MidiCode::NoError)
            return device.openResult;
        if (Other(handle))
            return MidiCode::Allocated;
        openOthers_.insert(handle);
        out = handle;
        return MidiCode::NoError;
    }

    std::vector<Device> inputs_;
    std::vector<Device> outputs_;
    std::vector<Device> pluggedIn_;
    std::vector<Device> pluggedOut_;
    std::set<std::string> unplugged_;
    bool failNext_ = false;
    std::vector<std::vector<Device>> stashed_;
    std::set<MidiHandle> openOthers_;
    std::map<MidiHandle, MidiInProc> players_;
};
