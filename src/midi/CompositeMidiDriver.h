#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiDriver.h"

// Several MIDI drivers shown as one: their input devices, and their output devices, are numbered
// one after the other in the order the drivers were added. Handles are this driver's own and map
// to a (driver, handle) pair; callbacks reach the caller with this driver's handle. An error code
// is explained by the driver that returned it last.
class CompositeMidiDriver : public MidiDriver {
  public:
    CompositeMidiDriver() = default;
    ~CompositeMidiDriver() override = default;
    CompositeMidiDriver(const CompositeMidiDriver&) = delete;
    CompositeMidiDriver& operator=(const CompositeMidiDriver&) = delete;

    void Add(std::unique_ptr<MidiDriver> driver);
    size_t DriverCount() const { return drivers_.size(); }
    MidiDriver& DriverAt(size_t index) { return *drivers_.at(index); }

    uint32_t InGetNumDevs() override;
    MidiResult InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) override;
    uint32_t OutGetNumDevs() override;
    MidiResult OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) override;

    MidiResult InOpen(MidiHandle& handle, uint32_t deviceId, MidiInProc callback,
                      uint32_t flags) override;
    MidiResult InStart(MidiHandle handle) override;
    MidiResult InStop(MidiHandle handle) override;
    MidiResult InReset(MidiHandle handle) override;
    MidiResult InClose(MidiHandle handle) override;
    MidiResult InPrepareHeader(MidiHandle handle, MidiHeader& header) override;
    MidiResult InAddBuffer(MidiHandle handle, MidiHeader& header) override;
    MidiResult InUnprepareHeader(MidiHandle handle, MidiHeader& header) override;
    MidiResult InGetErrorText(MidiResult code, std::string& text, size_t bufferSize) override;

    MidiResult OutOpen(MidiHandle& handle, uint32_t deviceId) override;
    MidiResult OutReset(MidiHandle handle) override;
    MidiResult OutClose(MidiHandle handle) override;
    MidiResult OutPrepareHeader(MidiHandle handle, MidiHeader& header) override;
    MidiResult OutLongMsg(MidiHandle handle, MidiHeader& header) override;
    MidiResult OutUnprepareHeader(MidiHandle handle, MidiHeader& header) override;
    MidiResult OutShortMsg(MidiHandle handle, uint32_t message) override;
    MidiResult OutGetErrorText(MidiResult code, std::string& text, size_t bufferSize) override;

    void Service() override;
    bool ServicePending() const override;
    void SetWorkNotice(std::function<void()> notice) override;
    void Refresh() override;
    int DeviceChangeDescriptor() const override;
    bool TakeDeviceChange() override;
    void NamePort(MidiHandle handle, bool input, const std::string& name) override;
    bool ListingComplete() const override;

  private:
    struct Route {
        size_t driver = 0;
        MidiHandle handle = 0;
    };
    struct Device {
        size_t driver = 0;
        uint32_t localId = 0;
    };

    // Finds which driver holds a device id of the joint list; false when out of range.
    bool FindInDevice(uint32_t deviceId, Device& device);
    bool FindOutDevice(uint32_t deviceId, Device& device);
    // Remembers which driver a failure code came from, so its text can be asked for later.
    MidiResult Note(size_t driver, MidiResult result);
    // A failure of this driver's own (unknown handle, device out of range).
    MidiResult Own(MidiResult result);
    template <typename Call>
    MidiResult ForwardIn(MidiHandle handle, Call call);
    template <typename Call>
    MidiResult ForwardOut(MidiHandle handle, Call call);
    MidiResult ErrorText(MidiResult code, std::string& text, size_t bufferSize, bool input);

    std::vector<std::unique_ptr<MidiDriver>> drivers_;
    std::map<MidiHandle, Route> inRoutes_;
    std::map<MidiHandle, Route> outRoutes_;
    std::map<MidiResult, size_t> producers_;
    MidiHandle nextHandle_ = 0x100;
};
