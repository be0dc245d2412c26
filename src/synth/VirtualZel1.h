#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "midi/RawData.h"

// The synth side of the SysEx protocol: a ZEL-1 in software. It holds 20 user sounds, 80 fixed
// sounds, 20 groups and the global parameters; answers requests with dumps, takes dumps (or
// refuses them with an error reply), applies parameter changes and ignores what is addressed to
// another system channel. Fault modes let tests and demonstrations misbehave on purpose.
class VirtualZel1 {
  public:
    using Message = std::vector<uint8_t>;

    static constexpr int kUserSounds = 20;
    static constexpr int kAllSounds = 100;
    static constexpr int kGroups = 20;
    static constexpr int kSoundBytes = 138;
    static constexpr int kGroupBytes = 82;
    static constexpr int kGlobalBytes = 7;
    static constexpr double kCableBytesPerSecond = 3125.0;

    struct Faults {
        bool silent = false;               // never answers
        bool corruptChecksum = false;      // dumps carry a wrong checksum
        bool replyOnOtherChannel = false;  // dumps go out on the next channel
        bool cutShort = false;             // dumps lose their second half
        bool dropDumps = false;            // takes dumps without a word and keeps its memory
        int ignoresSound = -1;             // a dump leaves the sound in this slot as it was
        int ignoresSoundByte = -1;         // dumps leave this byte of every sound as it was
    };

    VirtualZel1();

    // Takes one complete message from the editor and returns the synth's replies (zero or one).
    std::vector<Message> Receive(const Message& message);
    // Takes one short message (notes, controllers): remembered so audition can be checked.
    void ReceiveShort(uint32_t packed);

    // Memory, as raw data.
    RawData Sound(int number) const;                // 0..99
    void SetSound(int number, const RawData& raw);  // 0..19
    RawData Group(int number) const;                // 0..19
    void SetGroup(int number, const RawData& raw);
    RawData Globals() const { return globals_; }
    void SetGlobals(const RawData& raw);
    int SelectedGroup() const { return selectedGroup_; }

    // The system channel it answers on, 0..15; omni answers on the channel it was addressed.
    int SystemChannel() const;
    bool IsOmni() const { return globals_[1] == 0; }
    void SetSystemChannel(int channel);
    // Takes messages on every channel and answers on the one addressed, as the editor's own
    // built-in synth does whatever channel the editor is set to.
    void SetAnswersAnyChannel(bool on) { answersAnyChannel_ = on; }
    bool MemoryProtect() const { return globals_[2] == 255; }
    void SetMemoryProtect(bool on);

    Faults& GetFaults() { return faults_; }

    // The most recent messages taken and short messages, in order of arrival. The log keeps at
    // most kLogBytes of messages and kLogShortMessages short messages, forgetting the oldest, so
    // a synth that runs for days does not grow.
    static constexpr size_t kLogBytes = 1 << 20;
    static constexpr size_t kLogShortMessages = 65536;
    std::vector<Message> Received() const { return {received_.begin(), received_.end()}; }
    std::vector<uint32_t> ShortMessages() const {
        return {shortMessages_.begin(), shortMessages_.end()};
    }
    void ClearLog();

    // The whole memory as one byte block, for keeping it between runs.
    std::vector<uint8_t> SaveMemory() const;
    bool LoadMemory(const std::vector<uint8_t>& block);

    // How long the bytes take on a MIDI cable.
    static double CableSeconds(size_t bytes) { return bytes / kCableBytesPerSecond; }

  private:
    std::vector<Message> HandleRequest(const Message& m, int channel);
    std::vector<Message> HandleDump(const Message& m, int channel);
    void HandleParameter(const Message& m);
    Message Dump(int kind, int number, const RawData& payload, int channel) const;
    Message ErrorReply(int code, int channel) const;

    std::array<RawData, kAllSounds> sounds_;
    std::array<RawData, kGroups> groups_;
    RawData globals_;
    int selectedGroup_ = 0;
    // A sound from a dump, taken as the faults allow.
    void TakeSound(int number, const RawData& raw);

    Faults faults_;
    bool answersAnyChannel_ = false;
    std::deque<Message> received_;
    size_t receivedBytes_ = 0;
    std::deque<uint32_t> shortMessages_;
};
