#pragma once

#include <RtMidi.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "midi/MidiDriver.h"
#include "platform/WakeSignal.h"
#include "rtmidi/AlsaSeqClient.h"
#include "rtmidi/JackMidiClient.h"
#include "rtmidi/PacedSysExSender.h"

// The operating system's MIDI ports: every compiled API that can start (ALSA sequencer, JACK)
// contributes its ports to one device list. On each system the editor is one client of its own
// with a port for each open device (AlsaSeqClient, JackMidiClient), and the system's own
// announcements of ports that come and go raise the device-change signal. SysEx arrives in the
// buffers the caller arms; the system's thread fills them and calls back, exactly as the
// in-process emulator pair does. Every failure becomes a result code whose text is the system's
// message; no exception leaves this class.
class RtMidiDriver : public MidiDriver {
  public:
    static constexpr const char* kClientName = "ZEL-1 Edit";

    // Every compiled API that starts.
    RtMidiDriver();
    // Only the named APIs ("alsa", "jack"), in that order, and only those that start.
    explicit RtMidiDriver(const std::vector<std::string>& apiNames,
                          std::string clientName = kClientName);
    ~RtMidiDriver() override;
    RtMidiDriver(const RtMidiDriver&) = delete;
    RtMidiDriver& operator=(const RtMidiDriver&) = delete;

    // The short names ("alsa", "jack") of the APIs compiled into RtMidi.
    static std::vector<std::string> CompiledApis();
    // The short names of the APIs that started, in list order.
    std::vector<std::string> StartedApis() const;
    // Lists the ports again, starting an API that is not running (a JACK server started since
    // the last look) and dropping one whose server went away. Clients that run are kept.
    void Refresh() override;
    int DeviceChangeDescriptor() const override { return changed_.Descriptor(); }
    bool TakeDeviceChange() override { return changed_.Take(); }
    void NamePort(MidiHandle handle, bool input, const std::string& name) override;
    bool ListingComplete() const override { return listingComplete_; }
    // Messages an open JACK port has taken from the server (input) or handed to it (output);
    // 0 for other ports. For measuring where messages go missing.
    uint64_t JackMessagesCarried(MidiHandle handle, bool input);

    // How ALSA ports carry SysEx (see PacedSysExSender, AlsaSeqClient); applies to ports opened
    // afterwards. Tests switch a part off to show what it prevents: without ownInput every input
    // is an RtMidi client of its own with RtMidi's small input pool.
    struct AlsaOptions {
        bool sysExPieces = true;
        bool ownInput = true;
        int inputPool = AlsaSeqClient::kInputPool;
    };
    void SetAlsaOptions(const AlsaOptions& options) { alsaOptions_ = options; }

    uint32_t InGetNumDevs() override { return static_cast<uint32_t>(inputs_.size()); }
    MidiResult InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) override;
    uint32_t OutGetNumDevs() override { return static_cast<uint32_t>(outputs_.size()); }
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

  private:
    // Collects what RtMidi reports through its error callback (from any thread).
    struct ErrorTrap {
        std::mutex mutex;
        std::string text;
        bool raised = false;
        void Clear();
        bool Take(std::string& message);
        static void OnError(RtMidiError::Type type, const std::string& text, void* trap);
    };
    struct Api {
        RtMidi::Api api = RtMidi::UNSPECIFIED;
        std::string label;  // shown behind a name that an earlier API lists too
        // The one client of the system, shared with the ports opened on it.
        std::shared_ptr<AlsaSeqClient> alsa;
        std::shared_ptr<JackMidiClient> jack;
    };
    struct Device {
        size_t api = 0;
        std::string portName;  // as the system lists it
        std::string name;      // as shown, distinct within the list
        uint16_t technology = MidiCode::TechMidiPort;
    };
    struct InPort {
        MidiHandle handle = 0;
        MidiInProc callback;
        ErrorTrap trap;
        std::mutex mutex;  // guards armed
        std::deque<MidiHeader*> armed;
        std::atomic<bool> started{false};
        MidiResult overflowCode = MidiCode::Error;
        // Declared last so they go first: their threads call into the members above.
        std::unique_ptr<RtMidiIn> midi;
        std::shared_ptr<AlsaSeqClient> alsa;
        size_t alsaSlot = 0;
        std::shared_ptr<JackMidiClient> jack;
        size_t jackSlot = 0;
    };
    struct OutPort {
        RtMidi::Api api = RtMidi::UNSPECIFIED;
        std::shared_ptr<AlsaSeqClient> alsa;
        size_t alsaSlot = 0;
        std::shared_ptr<JackMidiClient> jack;
        size_t jackSlot = 0;
        // Declared last so it stops before the port closes.
        std::unique_ptr<PacedSysExSender> paced;
    };

    // Starts the API; null when it cannot serve.
    std::unique_ptr<Api> StartApi(RtMidi::Api api);
    // Opens the device as an RtMidi input of its own, found by its name.
    MidiResult OpenRtMidiIn(const Device& device, InPort& port);
    // Runs an RtMidi call; a thrown or reported failure becomes a result code.
    template <typename Call>
    MidiResult Guarded(ErrorTrap& trap, Call call);
    MidiResult CodeFor(const std::string& text);
    MidiResult ErrorText(MidiResult code, std::string& text, size_t bufferSize) const;
    // Closes the port's connection to its system; its threads call nothing of it afterwards.
    static void Shut(InPort& port);
    static void Shut(OutPort& port);
    InPort* FindIn(MidiHandle handle);
    OutPort* FindOut(MidiHandle handle);
    // Runs on RtMidi's thread for every complete message of an input port.
    static void OnInput(double timeStamp, std::vector<unsigned char>* message, void* port);
    static void Deliver(InPort& port, const uint8_t* bytes, size_t length);
    MidiResult OpenAlsaInput(const Device& device, AlsaSeqClient& alsa, InPort& port);
    // Sends through the port's system; the failure text, empty when sent.
    static std::string Send(OutPort& port, const std::vector<unsigned char>& bytes);

    // Raised on the systems' threads when ports come or go; outlives the clients that raise it.
    WakeSignal changed_;
    std::string clientName_;
    std::vector<RtMidi::Api> wanted_;
    std::vector<std::unique_ptr<Api>> apis_;
    // The systems listed at the last look, and whether every one listed at the look before was.
    std::set<RtMidi::Api> listed_;
    bool listingComplete_ = true;
    std::vector<Device> inputs_;
    std::vector<Device> outputs_;
    std::map<MidiHandle, std::unique_ptr<InPort>> inPorts_;
    std::map<MidiHandle, std::unique_ptr<OutPort>> outPorts_;
    std::vector<std::string> errorTexts_;
    MidiHandle nextHandle_ = 0x4D00;
    AlsaOptions alsaOptions_;
};
