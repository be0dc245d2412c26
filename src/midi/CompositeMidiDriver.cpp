#include "midi/CompositeMidiDriver.h"

#include <algorithm>

void CompositeMidiDriver::Add(std::unique_ptr<MidiDriver> driver) {
    if (driver)
        drivers_.push_back(std::move(driver));
}

bool CompositeMidiDriver::FindInDevice(uint32_t deviceId, Device& device) {
    // Counted afresh on every call: a driver's list may change between calls.
    for (size_t i = 0; i < drivers_.size(); ++i) {
        const uint32_t count = drivers_[i]->InGetNumDevs();
        if (deviceId < count) {
            device = {i, deviceId};
            return true;
        }
        deviceId -= count;
    }
    return false;
}

bool CompositeMidiDriver::FindOutDevice(uint32_t deviceId, Device& device) {
    for (size_t i = 0; i < drivers_.size(); ++i) {
        const uint32_t count = drivers_[i]->OutGetNumDevs();
        if (deviceId < count) {
            device = {i, deviceId};
            return true;
        }
        deviceId -= count;
    }
    return false;
}

MidiResult CompositeMidiDriver::Note(size_t driver, MidiResult result) {
    if (result != MidiCode::NoError)
        producers_[result] = driver;
    return result;
}

MidiResult CompositeMidiDriver::Own(MidiResult result) {
    producers_.erase(result);
    return result;
}

uint32_t CompositeMidiDriver::InGetNumDevs() {
    uint32_t count = 0;
    for (auto& driver : drivers_)
        count += driver->InGetNumDevs();
    return count;
}

uint32_t CompositeMidiDriver::OutGetNumDevs() {
    uint32_t count = 0;
    for (auto& driver : drivers_)
        count += driver->OutGetNumDevs();
    return count;
}

MidiResult CompositeMidiDriver::InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) {
    Device device;
    if (!FindInDevice(deviceId, device))
        return Own(MidiCode::BadDeviceId);
    return Note(device.driver, drivers_[device.driver]->InGetDevCaps(device.localId, caps));
}

MidiResult CompositeMidiDriver::OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) {
    Device device;
    if (!FindOutDevice(deviceId, device))
        return Own(MidiCode::BadDeviceId);
    return Note(device.driver, drivers_[device.driver]->OutGetDevCaps(device.localId, caps));
}

MidiResult CompositeMidiDriver::InOpen(MidiHandle& handle, uint32_t deviceId, MidiInProc callback,
                                       uint32_t flags) {
    Device device;
    if (!FindInDevice(deviceId, device))
        return Own(MidiCode::BadDeviceId);
    const MidiHandle own = nextHandle_++;
    // The inner driver may call back at once (open notification) and later on its own thread;
    // the wrapper carries only values, so it needs no guard.
    MidiInProc forward;
    if (callback) {
        forward = [own, callback = std::move(callback)](MidiHandle, uint32_t message,
                                                        uintptr_t param1, uintptr_t param2) {
            callback(own, message, param1, param2);
        };
    }
    MidiHandle inner = 0;
    const MidiResult result =
        drivers_[device.driver]->InOpen(inner, device.localId, std::move(forward), flags);
    if (result != MidiCode::NoError)
        return Note(device.driver, result);
    inRoutes_[own] = {device.driver, inner};
    handle = own;
    return MidiCode::NoError;
}

template <typename Call>
MidiResult CompositeMidiDriver::ForwardIn(MidiHandle handle, Call call) {
    auto route = inRoutes_.find(handle);
    if (route == inRoutes_.end())
        return Own(MidiCode::InvalidHandle);
    const Route r = route->second;
    return Note(r.driver, call(*drivers_[r.driver], r.handle));
}

template <typename Call>
MidiResult CompositeMidiDriver::ForwardOut(MidiHandle handle, Call call) {
    auto route = outRoutes_.find(handle);
    if (route == outRoutes_.end())
        return Own(MidiCode::InvalidHandle);
    const Route r = route->second;
    return Note(r.driver, call(*drivers_[r.driver], r.handle));
}

MidiResult CompositeMidiDriver::InStart(MidiHandle handle) {
    return ForwardIn(handle, [](MidiDriver& d, MidiHandle h) { return d.InStart(h); });
}

MidiResult CompositeMidiDriver::InStop(MidiHandle handle) {
    return ForwardIn(handle, [](MidiDriver& d, MidiHandle h) { return d.InStop(h); });
}

MidiResult CompositeMidiDriver::InReset(MidiHandle handle) {
    return ForwardIn(handle, [](MidiDriver& d, MidiHandle h) { return d.InReset(h); });
}

MidiResult CompositeMidiDriver::InClose(MidiHandle handle) {
    const MidiResult result =
        ForwardIn(handle, [](MidiDriver& d, MidiHandle h) { return d.InClose(h); });
    if (result == MidiCode::NoError)
        inRoutes_.erase(handle);
    return result;
}

MidiResult CompositeMidiDriver::InPrepareHeader(MidiHandle handle, MidiHeader& header) {
    return ForwardIn(handle,
                     [&](MidiDriver& d, MidiHandle h) { return d.InPrepareHeader(h, header); });
}

MidiResult CompositeMidiDriver::InAddBuffer(MidiHandle handle, MidiHeader& header) {
    return ForwardIn(handle, [&](MidiDriver& d, MidiHandle h) { return d.InAddBuffer(h, header); });
}

MidiResult CompositeMidiDriver::InUnprepareHeader(MidiHandle handle, MidiHeader& header) {
    return ForwardIn(handle,
                     [&](MidiDriver& d, MidiHandle h) { return d.InUnprepareHeader(h, header); });
}

MidiResult CompositeMidiDriver::OutOpen(MidiHandle& handle, uint32_t deviceId) {
    Device device;
    if (!FindOutDevice(deviceId, device))
        return Own(MidiCode::BadDeviceId);
    MidiHandle inner = 0;
    const MidiResult result = drivers_[device.driver]->OutOpen(inner, device.localId);
    if (result != MidiCode::NoError)
        return Note(device.driver, result);
    const MidiHandle own = nextHandle_++;
    outRoutes_[own] = {device.driver, inner};
    handle = own;
    return MidiCode::NoError;
}

MidiResult CompositeMidiDriver::OutReset(MidiHandle handle) {
    return ForwardOut(handle, [](MidiDriver& d, MidiHandle h) { return d.OutReset(h); });
}

MidiResult CompositeMidiDriver::OutClose(MidiHandle handle) {
    const MidiResult result =
        ForwardOut(handle, [](MidiDriver& d, MidiHandle h) { return d.OutClose(h); });
    if (result == MidiCode::NoError)
        outRoutes_.erase(handle);
    return result;
}

MidiResult CompositeMidiDriver::OutPrepareHeader(MidiHandle handle, MidiHeader& header) {
    return ForwardOut(handle,
                      [&](MidiDriver& d, MidiHandle h) { return d.OutPrepareHeader(h, header); });
}

MidiResult CompositeMidiDriver::OutLongMsg(MidiHandle handle, MidiHeader& header) {
    return ForwardOut(handle, [&](MidiDriver& d, MidiHandle h) { return d.OutLongMsg(h, header); });
}

MidiResult CompositeMidiDriver::OutUnprepareHeader(MidiHandle handle, MidiHeader& header) {
    return ForwardOut(handle,
                      [&](MidiDriver& d, MidiHandle h) { return d.OutUnprepareHeader(h, header); });
}

MidiResult CompositeMidiDriver::OutShortMsg(MidiHandle handle, uint32_t message) {
    return ForwardOut(handle,
                      [&](MidiDriver& d, MidiHandle h) { return d.OutShortMsg(h, message); });
}

MidiResult CompositeMidiDriver::ErrorText(MidiResult code, std::string& text, size_t bufferSize,
                                          bool input) {
    auto producer = producers_.find(code);
    if (producer != producers_.end()) {
        MidiDriver& driver = *drivers_[producer->second];
        return input ? driver.InGetErrorText(code, text, bufferSize)
                     : driver.OutGetErrorText(code, text, bufferSize);
    }
    text = StandardMidiErrorText(code).substr(0, bufferSize > 0 ? bufferSize - 1 : 0);
    return text.empty() ? MidiCode::BadDeviceId : MidiCode::NoError;
}

MidiResult CompositeMidiDriver::InGetErrorText(MidiResult code, std::string& text,
                                               size_t bufferSize) {
    return ErrorText(code, text, bufferSize, true);
}

MidiResult CompositeMidiDriver::OutGetErrorText(MidiResult code, std::string& text,
                                                size_t bufferSize) {
    return ErrorText(code, text, bufferSize, false);
}

void CompositeMidiDriver::Service() {
    for (auto& driver : drivers_)
        driver->Service();
}

bool CompositeMidiDriver::ServicePending() const {
    return std::any_of(drivers_.begin(), drivers_.end(),
                       [](const auto& driver) { return driver->ServicePending(); });
}

void CompositeMidiDriver::SetWorkNotice(std::function<void()> notice) {
    for (auto& driver : drivers_)
        driver->SetWorkNotice(notice);
}

void CompositeMidiDriver::Refresh() {
    for (auto& driver : drivers_)
        driver->Refresh();
}

int CompositeMidiDriver::DeviceChangeDescriptor() const {
    // Only the system drivers can tell; the first that can speaks for all.
    for (const auto& driver : drivers_) {
        if (driver->DeviceChangeDescriptor() >= 0)
            return driver->DeviceChangeDescriptor();
    }
    return -1;
}

bool CompositeMidiDriver::TakeDeviceChange() {
    bool changed = false;
    for (auto& driver : drivers_)
        changed = driver->TakeDeviceChange() || changed;
    return changed;
}

void CompositeMidiDriver::NamePort(MidiHandle handle, bool input, const std::string& name) {
    const auto& routes = input ? inRoutes_ : outRoutes_;
    const auto route = routes.find(handle);
    if (route != routes.end())
        drivers_[route->second.driver]->NamePort(route->second.handle, input, name);
}

bool CompositeMidiDriver::ListingComplete() const {
    return std::all_of(drivers_.begin(), drivers_.end(),
                       [](const auto& driver) { return driver->ListingComplete(); });
}
