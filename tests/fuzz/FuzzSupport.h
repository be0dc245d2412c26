#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "midi/RawData.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

// What the fuzz targets share: the input as raw data, and a stop that libFuzzer reports as a
// crash with the input that caused it.

inline RawData AsRaw(const uint8_t* data, size_t size, size_t length) {
    RawData raw(length, 0);
    for (size_t i = 0; i < length && i < size; ++i)
        raw[i] = data[i];
    return raw;
}

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

// A link without ports for model objects that decode and never send, made once per process.
struct OfflineLink {
    VirtualClock clock;
    EmulatorMidiDriver driver{clock};
    RecordingMessageSink messages;
    FunctionEventPump pump;
    ModuleMIDI midi{driver, messages, pump, clock};

    static OfflineLink& Get() {
        static OfflineLink link;
        link.messages.Clear();
        return link;
    }
};
