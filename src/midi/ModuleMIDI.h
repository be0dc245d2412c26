#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/MidiDriver.h"
#include "midi/MidiTap.h"
#include "midi/RawData.h"

class Clock;
class EventPump;
class MessageSink;

// The link to the ZEL-1: its two ports, the SysEx receive buffer and every exchange in the
// synth's frame. One instance serves the whole program; windows and models reach the synth only
// through it.
class ModuleMIDI {
  public:
    static constexpr int kBufferLength = 50000;
    static constexpr double kSendPause = 0.05;
    static constexpr double kReplyTimeout = 5.0;
    static constexpr double kSilenceWindow = 1.0;
    // The names other programs see on the editor's own ports to the synth.
    static constexpr const char* kInPortName = "ZEL-1 in";
    static constexpr const char* kOutPortName = "ZEL-1 out";

    // Message types and data kinds of the frame.
    enum Type : int { kParameterChange = 0, kDump = 1, kRequest = 2, kErrorReply = 4 };
    enum Kind : int { kOneSound = 0, kAllSounds = 1, kOneGroup = 2, kAllGroups = 3, kGlobals = 5 };

    ModuleMIDI(MidiDriver& driver, MessageSink& messages, EventPump& pump, Clock& clock);
    ~ModuleMIDI();
    ModuleMIDI(const ModuleMIDI&) = delete;
    ModuleMIDI& operator=(const ModuleMIDI&) = delete;

    // --- Ports -----------------------------------------------------------------------------
    // Closes the open port (if any) and opens the device; a negative id only closes. On failure
    // shows the driver's text and returns false; the caller clears its device choice.
    // report = false leaves the failure unsaid (a port reopened in the background).
    bool OpenInPort(int deviceId, bool report = true);
    bool OpenOutPort(int deviceId, bool report = true);
    // The device names of the open ports as the driver listed them when they opened ("" when
    // closed): a port's id can change from one listing to the next, its name does not.
    const std::string& InPortName() const { return inPortName_; }
    const std::string& OutPortName() const { return outPortName_; }
    void ClosePorts();
    void ArmInputBuffer();
    // Runs on the driver's thread: only sets the flags.
    void MidiInCallback(MidiHandle handle, uint32_t message, uintptr_t param1, uintptr_t param2);
    // Frames data[0..length-1] and sends it; pauses kSendPause afterwards while events run.
    bool SendSysEx(int messageType, const RawData& data, int length);
    // One short message (packed) on the synth's output port; false without a port. Callable from
    // any thread: it waits while a SysEx message is being handed to the driver, so a note never
    // lands inside one.
    bool SendShortMessage(uint32_t message);
    std::string InErrorText(MidiResult code);
    std::string OutErrorText(MidiResult code);

    // --- Exchange --------------------------------------------------------------------------
    void SendRequest(int kind, int number);
    void SendData(const RawData& data, int kind, int number);
    void SendParameter(int address, int index, int value);
    void SendBankParameter(int bank, int index, int value);
    void SendGroupName(const std::string& name);
    void SendParameter50(int value);
    bool WaitForMessage(bool allowSilence);
    int ExtractData(RawData& data);
    // One request and its reply: sends the request, waits, takes the dump and checks that it is
    // the record asked for with at least minimumBytes of payload. A dump of another record is
    // shown as such; another kind or too little data only returns false, as before.
    bool RequestDump(int kind, int number, size_t minimumBytes, RawData& data);
    // The payload bytes a dump of each kind carries; -1 for kinds without a fixed size.
    static int DumpBytes(int kind);

    // Pause while events run (for callers that pace their own bursts).
    void Delay(double seconds);
    // One pass of pending events.
    void ProcessEvents();

    // True while a send pause or a reply wait is under way.
    bool ExchangeActive() const { return exchangeDepth_ > 0; }

    // --- State -----------------------------------------------------------------------------
    MidiHandle MidiInHandle() const { return midiInHandle_; }
    MidiHandle MidiOutHandle() const { return midiOutHandle_; }
    // Forgets both handles without closing them (the settings dialog starts from none).
    void ForgetHandles();
    int SystemChannel() const { return systemChannel_; }
    void SetSystemChannel(int channel);

    std::atomic<bool> MidiInFlag{false};
    std::atomic<bool> SysExReceivedFlag{false};
    std::atomic<bool> SysExSentFlag{false};
    // A failure the driver reported for input since the last send (0 = none).
    std::atomic<MidiResult> InputError{0};

    // The last message WaitForMessage took, as received.
    const std::vector<uint8_t>& ReceivedMessage() const { return received_; }

    // Has the driver list its devices anew; the settings dialog does so each time it loads.
    void RefreshDevices() { driver_.Refresh(); }
    // Readable when ports came or went (-1: the driver cannot tell); TakeDeviceChange lowers it
    // and says whether they did.
    int DeviceChangeDescriptor() const { return driver_.DeviceChangeDescriptor(); }
    bool TakeDeviceChange() { return driver_.TakeDeviceChange(); }

    // What passes the ports, for the MIDI monitor.
    MidiTap& Tap() { return tap_; }

    MidiDriver& Driver() { return driver_; }
    MessageSink& Messages() { return messages_; }
    EventPump& Pump() { return pump_; }
    Clock& GetClock() { return clock_; }

  private:
    void CloseInPort();
    void CloseOutPort();
    void ParameterChange(int address, int index, int value);
    bool WaitForFlag(double seconds);
    // Lets events run until a long message the driver sends on its own thread has gone.
    void WaitUntilSent(MidiHeader& header);
    bool Reject(const char* text, int flags);
    // Shows a message of the exchange; while it is shown the exchange counts as active.
    int Say(const std::string& text, const std::string& title, int flags);
    // Input that arrived before a request or a dump went out cannot be its reply.
    void DiscardWaitingInput();
    // Takes the filled input buffer as a message of its own.
    void TakeReceived();

    MidiDriver& driver_;
    MessageSink& messages_;
    EventPump& pump_;
    Clock& clock_;

    MidiHandle midiInHandle_ = 0;
    MidiHandle midiOutHandle_ = 0;
    std::string inPortName_;
    std::string outPortName_;
    int systemChannel_ = 0;
    std::unique_ptr<uint8_t[]> sysExBuffer_;
    MidiHeader sysExHeader_;
    std::vector<uint8_t> received_;
    int exchangeDepth_ = 0;
    MidiTap tap_;
    // Held for every call on the output port, which other threads (MIDI thru) use too.
    std::mutex outPortLock_;
    // When the last long message will have left the cable; a reply cannot come before.
    double sentThrough_ = 0;
};
