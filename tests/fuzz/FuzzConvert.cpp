// Any SND record and ALS file: every record converts into a raw sound of byte values that the
// model can decode and that can be written to a file.

#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "library/ConvertFromSND.h"
#include "model/ClassSound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RawData als = AsRaw(data, size, kAlsFileBytes);
    RawData sounds(2761, 0);
    for (int record = 0; record < 20; ++record)
        FUZZ_CHECK(ConvertFromSND(als, sounds, record));
    FUZZ_CHECK(sounds.size() == 2761u && sounds.back() == 0);
    for (int16_t value : sounds)
        FUZZ_CHECK(value >= 0 && value <= 255);
    // Too short an array changes nothing.
    RawData tooShort(137, 7);
    FUZZ_CHECK(!ConvertFromSND(als, tooShort, 0) && tooShort == RawData(137, 7));

    OfflineLink& link = OfflineLink::Get();
    ModuleMIDI& offline = link.midi;
    ClassSound sound(offline);
    const RawData first(sounds.begin(), sounds.begin() + 138);
    FUZZ_CHECK(sound.DecodeRawSound(first));
    // The name travels unchanged from the record's last ten bytes.
    for (size_t i = 0; i < 10; ++i)
        FUZZ_CHECK(static_cast<unsigned char>(sound.StoredName()[i]) == als[136 + i]);
    return 0;
}
