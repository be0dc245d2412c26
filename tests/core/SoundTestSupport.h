#pragma once

#include <QObject>
#include <cstdint>
#include <vector>

#include "midi/RawData.h"
#include "model/ClassSound.h"

using WireMessage = std::vector<uint8_t>;
using WireMessages = std::vector<WireMessage>;

// The parameter change the synth must receive for byte `offset` of sound `sound` (system
// channel 0): offsets 10 and above travel as address sound + 20, index offset - 10.
inline WireMessage Change(int sound, int offset, int value) {
    const int address = offset >= 10 ? sound + 20 : sound;
    const int index = offset >= 10 ? offset - 10 : offset;
    const int byte = value & 0xFF;
    return {0xF0,
            0x00,
            0x20,
            0x08,
            0x01,
            0x00,
            static_cast<uint8_t>(address),
            static_cast<uint8_t>(index),
            static_cast<uint8_t>(byte >> 4),
            static_cast<uint8_t>(byte & 0x0F),
            0xF7};
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

// A dump of `kind` as the synth sends it (system channel 0), for replies a test puts on the wire.
inline WireMessage DumpMessage(int kind, int number, const RawData& payload) {
    const size_t count = payload.size() * 2;
    WireMessage m{0xF0,
                  0x00,
                  0x20,
                  0x08,
                  0x01,
                  0x10,
                  static_cast<uint8_t>(kind),
                  static_cast<uint8_t>(count / 128),
                  static_cast<uint8_t>(count % 128)};
    if (number >= 0)
        m.push_back(static_cast<uint8_t>(number));
    int sum = 0;
    for (int16_t byte : payload) {
        m.push_back(static_cast<uint8_t>(byte >> 4));
        m.push_back(static_cast<uint8_t>(byte & 0x0F));
        sum += byte;
    }
    m.push_back(static_cast<uint8_t>(sum & 0x7F));
    m.push_back(0xF7);
    return m;
}
