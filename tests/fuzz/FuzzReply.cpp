// Whatever arrives on the input, as the reply to each request the model makes: the wait, the
// checks of the frame and the extraction of the payload must refuse it or take it whole.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "model/ClassGroup.h"
#include "model/ClassGroups.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "synth/EmulatorMidiDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    static VirtualClock clock;
    static EmulatorMidiDriver driver(clock);
    driver.Synth().GetFaults().silent = true;
    RecordingMessageSink messages;
    FunctionEventPump pump;
    ModuleMIDI midi(driver, messages, pump, clock);
    midi.OpenInPort(0);
    midi.OpenOutPort(0);
    // Arrives while the request waits for its reply.
    driver.Inject(std::vector<uint8_t>(data + 1, data + size), 0.2);

    // A reply the model took carries exactly its kind's payload: header, two nibbles a byte,
    // checksum and end.
    auto tookWhole = [&](size_t header, size_t bytes) {
        return midi.ReceivedMessage().size() == header + 2 * bytes + 2;
    };
    switch (data[0] % 5) {
        case 0: {
            RawData payload{1, 2, 3};
            if (midi.WaitForMessage(false)) {
                const int kind = midi.ExtractData(payload);
                const std::vector<uint8_t>& m = midi.ReceivedMessage();
                FUZZ_CHECK(kind >= -1 && kind < 128);
                // What was taken came from inside the message, two nibbles a byte.
                FUZZ_CHECK(kind < 0 || payload.size() * 2 < m.size());
                FUZZ_CHECK(kind >= 0 || payload == (RawData{1, 2, 3}));
                for (int16_t value : payload)
                    FUZZ_CHECK(value >= 0 && value <= 255);
            }
            break;
        }
        case 1: {
            ClassSound sound(midi);
            sound.SetNumber(static_cast<int16_t>(data[0] % 20));
            if (sound.RequestSound())
                FUZZ_CHECK(tookWhole(10, 138));
            break;
        }
        case 2: {
            ClassSounds sounds(midi);
            RawData all(2761, 0);
            const bool took = sounds.GetSoundsFromSynth();
            FUZZ_CHECK(took == sounds.EncodeRaw(all));
            FUZZ_CHECK(!took || tookWhole(9, 2760));
            break;
        }
        case 3: {
            ClassGroup group(midi);
            group.SetGroupNumber(static_cast<int16_t>(data[0] % 20));
            if (group.RequestGroup())
                FUZZ_CHECK(tookWhole(10, 82));
            break;
        }
        default: {
            ClassGroups groups(midi);
            RawData all(1640, 0);
            const bool took = groups.GetGroupsFromSynth();
            FUZZ_CHECK(took == groups.EncodeRaw(all));
            FUZZ_CHECK(!took || tookWhole(9, 1640));
            break;
        }
    }
    // Nothing is left on its way to the next input.
    clock.Advance(1.0);
    driver.Service();
    return 0;
}
