// Any raw sound and raw group: decoded, encoded and decoded again, the model must settle, so
// that saving what was opened and opening it again shows the same thing.

#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/ClassGroup.h"
#include "model/ClassSound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OfflineLink& link = OfflineLink::Get();
    ModuleMIDI& offline = link.midi;

    ClassSound sound(offline);
    FUZZ_CHECK(sound.DecodeRawSound(AsRaw(data, size, 138)));
    const RawData once = sound.EncodeRawSound();
    ClassSound again(offline);
    FUZZ_CHECK(again.DecodeRawSound(once));
    FUZZ_CHECK(again.EncodeRawSound() == once);
    FUZZ_CHECK(again.Name() == sound.Name());
    for (int16_t value : once)
        FUZZ_CHECK(value >= 0 && value <= 255);

    const RawData rawGroup =
        AsRaw(size > 138 ? data + 138 : data, size > 138 ? size - 138 : size, 82);
    ClassGroup group(offline);
    FUZZ_CHECK(group.DecodeRawGroup(rawGroup));
    RawData groupOnce;
    group.EncodeRawGroup(groupOnce);
    FUZZ_CHECK(groupOnce.size() == 82u);
    ClassGroup groupAgain(offline);
    FUZZ_CHECK(groupAgain.DecodeRawGroup(groupOnce));
    RawData groupTwice;
    groupAgain.EncodeRawGroup(groupTwice);
    FUZZ_CHECK(groupTwice == groupOnce);
    FUZZ_CHECK(groupAgain.Name() == group.Name());
    FUZZ_CHECK(link.driver.Synth().Received().empty());
    return 0;
}
