#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The MIDI driver as the editor uses it: numbered devices, handles, result codes with texts, an
// armed long-message input buffer that the driver fills and hands back, and callbacks on the
// driver's own thread. Every backend (RtMidi, the in-process virtual ZEL-1) keeps these rules.

using MidiHandle = uint32_t;  // 0 = no port
using MidiResult = uint32_t;  // 0 = success

namespace MidiCode {
inline constexpr MidiResult NoError = 0;
inline constexpr MidiResult Error = 1;
inline constexpr MidiResult BadDeviceId = 2;
inline constexpr MidiResult Allocated = 4;
inline constexpr MidiResult InvalidHandle = 5;
inline constexpr MidiResult NoDriver = 6;
inline constexpr MidiResult NoMemory = 7;
inline constexpr MidiResult InvalidParameter = 11;
inline constexpr MidiResult Unprepared = 64;
inline constexpr MidiResult StillPlaying = 65;
inline constexpr MidiResult NotReady = 67;

// Input notifications handed to the callback.
inline constexpr uint32_t InOpen = 0x3C1;
inline constexpr uint32_t InClose = 0x3C2;
inline constexpr uint32_t InData = 0x3C3;      // short message: param1 = packed message
inline constexpr uint32_t InLongData = 0x3C4;  // the armed buffer came back filled
inline constexpr uint32_t InError = 0x3C5;
// Incomplete or oversized message: the buffer stays armed. param1 is 0, or the code of a failure
// the exchange shows (whose text InGetErrorText gives).
inline constexpr uint32_t InLongError = 0x3C6;

// Header flags. A backend that sends a long message after OutLongMsg has returned sets
// HeaderInQueue until the message has gone, then HeaderDone; the caller keeps the header until
// then. Backends that send at once leave both alone.
inline constexpr uint32_t HeaderDone = 0x01;
inline constexpr uint32_t HeaderInQueue = 0x04;

// Open flag: the callback is a function.
inline constexpr uint32_t CallbackFunction = 0x30000;

// Output technology codes.
inline constexpr uint16_t TechMidiPort = 1;
inline constexpr uint16_t TechSynth = 2;
inline constexpr uint16_t TechSquareSynth = 3;
inline constexpr uint16_t TechFmSynth = 4;
inline constexpr uint16_t TechMapper = 5;
inline constexpr uint16_t TechWavetable = 6;
inline constexpr uint16_t TechSoftwareSynth = 7;

// Size of the error-text buffer the editor passes.
inline constexpr size_t ErrorTextSize = 128;
}  // namespace MidiCode

// Describes a long-message buffer. For input the driver writes up to bufferLength bytes into
// data, stores bytesRecorded, then calls back with InLongData; the caller may read data once it
// has seen that notification. For output data holds the whole message.
struct MidiHeader {
    uint8_t* data = nullptr;
    uint32_t bufferLength = 0;
    std::atomic<uint32_t> bytesRecorded{0};
    std::atomic<uint32_t> flags{0};
};

struct MidiInCaps {
    std::string productName;
};

struct MidiOutCaps {
    std::string productName;
    uint16_t technology = MidiCode::TechMidiPort;
};

// Called on the driver's thread: (handle, notification, param1, param2).
using MidiInProc = std::function<void(MidiHandle, uint32_t, uintptr_t, uintptr_t)>;

class MidiDriver {
  public:
    virtual ~MidiDriver() = default;

    virtual uint32_t InGetNumDevs() = 0;
    virtual MidiResult InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) = 0;
    virtual uint32_t OutGetNumDevs() = 0;
    virtual MidiResult OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) = 0;

    virtual MidiResult InOpen(MidiHandle& handle, uint32_t deviceId, MidiInProc callback,
                              uint32_t flags) = 0;
    virtual MidiResult InStart(MidiHandle handle) = 0;
    virtual MidiResult InStop(MidiHandle handle) = 0;
    // Hands back an armed buffer (bytesRecorded as it stands) with an InLongData notification.
    virtual MidiResult InReset(MidiHandle handle) = 0;
    virtual MidiResult InClose(MidiHandle handle) = 0;
    virtual MidiResult InPrepareHeader(MidiHandle handle, MidiHeader& header) = 0;
    virtual MidiResult InAddBuffer(MidiHandle handle, MidiHeader& header) = 0;
    virtual MidiResult InUnprepareHeader(MidiHandle handle, MidiHeader& header) = 0;
    // Fills text with at most bufferSize - 1 characters; NoError when a text exists.
    virtual MidiResult InGetErrorText(MidiResult code, std::string& text, size_t bufferSize) = 0;

    virtual MidiResult OutOpen(MidiHandle& handle, uint32_t deviceId) = 0;
    virtual MidiResult OutReset(MidiHandle handle) = 0;
    virtual MidiResult OutClose(MidiHandle handle) = 0;
    virtual MidiResult OutPrepareHeader(MidiHandle handle, MidiHeader& header) = 0;
    // The message is copied before this returns; the header must stay while it has HeaderInQueue.
    virtual MidiResult OutLongMsg(MidiHandle handle, MidiHeader& header) = 0;
    virtual MidiResult OutUnprepareHeader(MidiHandle handle, MidiHeader& header) = 0;
    // Packed: status in bits 0-7, first data byte in bits 8-15, second in bits 16-23.
    virtual MidiResult OutShortMsg(MidiHandle handle, uint32_t message) = 0;
    virtual MidiResult OutGetErrorText(MidiResult code, std::string& text, size_t bufferSize) = 0;

    // Delivers whatever input has fallen due. The event pump calls this between two looks at the
    // input flags; backends with a thread of their own need nothing here.
    virtual void Service() {}
    // True while Service() still has something to hand over or mark done; an idle program need
    // not call it until the backend's work notice says that something waits again.
    virtual bool ServicePending() const { return false; }
    // Called (on the thread that gave the backend work) when Service() has something to do
    // again after it had nothing.
    virtual void SetWorkNotice(std::function<void()> notice) { (void)notice; }

    // Lists the devices anew (a device plugged in since the last look appears). Ids may change;
    // open handles stay valid.
    virtual void Refresh() {}

    // Readable when ports came or went on a MIDI system since the last TakeDeviceChange (-1: this
    // driver cannot tell); Refresh then lists them as they stand.
    virtual int DeviceChangeDescriptor() const { return -1; }
    // True when ports came or went since the last call.
    virtual bool TakeDeviceChange() { return false; }
    // Names an open port of the program's own as other programs see it (where they can).
    virtual void NamePort(MidiHandle, bool /*input*/, const std::string& /*name*/) {}
    // False when a MIDI system listed at the look before could not be listed at the last one (it
    // failed to start or to answer, as a loaded server may): its ports may well still be there.
    virtual bool ListingComplete() const { return true; }
};

// Error texts shared by the backends for the codes they return.
std::string StandardMidiErrorText(MidiResult code);
