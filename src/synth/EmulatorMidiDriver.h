#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiDriver.h"
#include "synth/ReplySchedule.h"
#include "synth/VirtualZel1.h"

class Clock;

// The virtual ZEL-1 as a MIDI device pair ("ZEL-1 Emulator", one input and one output) inside
// the program. What the editor sends reaches the synth at once; the synth's replies are handed
// over by Service() once they have fallen due: at once, or at cable speed after the time the
// bytes of the message and of the reply take on a MIDI cable.
class EmulatorMidiDriver : public MidiDriver {
  public:
    static constexpr const char* kDeviceName = "ZEL-1 Emulator";

    explicit EmulatorMidiDriver(Clock& clock);
    ~EmulatorMidiDriver() override;

    VirtualZel1& Synth() { return synth_; }
    void SetCableSpeed(bool on) { schedule_.SetCableSpeed(on); }
    bool CableSpeed() const { return schedule_.CableSpeed(); }
    // Sends long messages as a driver that paces them at cable speed: OutLongMsg returns at
    // once and the header is marked done once the bytes have had their cable time.
    void SetPacedSend(bool on) { pacedSend_ = on; }
    // Replies still on their way to the editor.
    size_t PendingReplies() const { return schedule_.Pending(); }
    // Puts a message on the input as if the synth had sent it (for tests of odd replies).
    void Inject(const std::vector<uint8_t>& message, double delaySeconds = 0);
    void InjectShort(uint32_t packed);

    uint32_t InGetNumDevs() override { return 1; }
    MidiResult InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) override;
    uint32_t OutGetNumDevs() override { return 1; }
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
    bool ServicePending() const override { return schedule_.Pending() > 0 || !sending_.empty(); }
    void SetWorkNotice(std::function<void()> notice) override { workNotice_ = std::move(notice); }

  private:
    // Short messages travel as their one to three bytes, SysEx as the whole message.
    void Deliver(const std::vector<uint8_t>& message);
    // Tells the work notice when Service() has work again after it had none.
    void Scheduled(bool hadWork);

    static constexpr MidiHandle kInHandle = 0x2E1;
    static constexpr MidiHandle kOutHandle = 0x2E2;

    Clock& clock_;
    VirtualZel1 synth_;
    bool inOpen_ = false;
    bool inStarted_ = false;
    bool outOpen_ = false;
    MidiInProc callback_;
    std::deque<MidiHeader*> armed_;
    ReplySchedule schedule_;
    struct Sending {
        double done = 0;
        MidiHeader* header = nullptr;
    };
    bool pacedSend_ = false;
    double sendingUntil_ = 0;
    std::deque<Sending> sending_;
    std::function<void()> workNotice_;
};
