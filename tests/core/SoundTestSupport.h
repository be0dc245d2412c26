#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "midi/RawData.h"
#include "model/ClassSound.h"
#include "synth/VirtualZel1.h"

using WireMessage = std::vector<uint8_t>;
using WireMessages = std::vector<WireMessage>;

// The messages the synth received since the last call, and forgets them.
inline WireMessages TakeReceived(VirtualZel1& synth) {
    WireMessages received = synth.Received();
    synth.ClearLog();
    return received;
}

// A message of `status` (type and system channel 0) around `data`, as it travels.
inline WireMessage Frame(int status, const std::vector<int>& data) {
    WireMessage m{0xF0, 0x00, 0x20, 0x08, 0x01, static_cast<uint8_t>(status)};
    for (int byte : data)
        m.push_back(static_cast<uint8_t>(byte));
    m.push_back(0xF7);
    return m;
}

// A parameter change of `index` at `address`, the value's byte split into two nibbles.
inline WireMessage Parameter(int address, int index, int value) {
    const int byte = value & 0xFF;
    return Frame(0x00, {address, index, byte >> 4, byte & 0x0F});
}

// The parameter change the synth must receive for byte `offset` of sound `sound` (system
// channel 0): offsets 10 and above travel as address sound + 20, index offset - 10.
inline WireMessage Change(int sound, int offset, int value) {
    return offset >= 10 ? Parameter(sound + 20, offset - 10, value)
                        : Parameter(sound, offset, value);
}

// The ten character changes of a stored name at `address` (a sound's number, or 48 for the
// selected group).
inline WireMessages NameChanges(int address, const std::string& stored) {
    WireMessages messages;
    for (int i = 0; i < 10; ++i)
        messages.push_back(Parameter(address, i, static_cast<unsigned char>(stored[i])));
    return messages;
}

// A dump of `kind` as the synth sends it (system channel 0), for replies a test puts on the wire.
inline WireMessage DumpMessage(int kind, int number, const RawData& payload) {
    const int count = 2 * static_cast<int>(payload.size());
    std::vector<int> data{kind, count / 128, count % 128};
    if (number >= 0)
        data.push_back(number);
    int sum = 0;
    for (int16_t byte : payload) {
        data.insert(data.end(), {byte >> 4, byte & 0x0F});
        sum += byte;
    }
    data.push_back(sum & 0x7F);
    return Frame(0x10, data);
}

// The synth's sounds first..first+count-1, or all its groups, back to back as the
// all-sounds and all-groups dumps carry them.
inline RawData SynthSounds(const VirtualZel1& synth, int first = 0, int count = 20) {
    RawData all;
    for (int n = first; n < first + count; ++n) {
        const RawData raw = synth.Sound(n);
        all.insert(all.end(), raw.begin(), raw.end());
    }
    return all;
}
inline RawData SynthGroups(const VirtualZel1& synth) {
    RawData all;
    for (int n = 0; n < 20; ++n) {
        const RawData raw = synth.Group(n);
        all.insert(all.end(), raw.begin(), raw.end());
    }
    return all;
}

// Counts the DataChanged signals of one sound for as long as it lives.
class DataChangedCounter {
  public:
    explicit DataChangedCounter(ClassSound& sound) {
        connection_ = QObject::connect(&sound, &ClassSound::DataChanged, [this] { ++count_; });
    }
    ~DataChangedCounter() { QObject::disconnect(connection_); }
    int Count() const { return count_; }

  private:
    QMetaObject::Connection connection_;
    int count_ = 0;
};
