#include "library/ConvertFromSND.h"

#include <cstddef>

namespace {
constexpr int kRawSoundBytes = 138;
constexpr int kEnvelopes = 4;
constexpr int kPoints = 6;
constexpr int16_t kPointMark = 0x80;

// Offsets within an SND record.
constexpr int kSndAlgorithm = 0;
constexpr int kSndTranspose = 1;
constexpr int kSndLfos = 2;
constexpr int kSndLfoBytes = 14;
constexpr int kSndModulation = 16;
constexpr int kSndModulationBytes = 28;
constexpr int kSndNodes = 44;
constexpr int kSndNodeBytes = 20;
constexpr int kSndEnvelopes = 64;
constexpr int kSndEnvelopeStride = 18;
constexpr int kSndSustainPoint = 12;  // within an envelope, after the six rate/level pairs
constexpr int kSndEndPoint = 13;
constexpr int kSndDestinations = 14;
constexpr int kSndName = 136;

// Offsets within a raw sound.
constexpr int kRawName = 0;
constexpr int kRawEnvelopes = 10;
constexpr int kRawEnvelopeStride = 16;
constexpr int kRawDestinations = 12;  // within an envelope
constexpr int kDestinationBytes = 4;
constexpr int kRawLfos = 74;
constexpr int kRawModulation = 88;
constexpr int kRawAlgorithm = 116;
constexpr int kRawTranspose = 117;
constexpr int kRawNodes = 118;
constexpr int kNameBytes = 10;
}  // namespace

bool ConvertFromSND(const RawData& source, RawData& destination, int record) {
    if (record < 0)
        return false;
    const size_t s = static_cast<size_t>(kSndRecordBytes) * record;
    const size_t d = static_cast<size_t>(kRawSoundBytes) * record;
    if (s + kSndRecordBytes > source.size() || d + kRawSoundBytes > destination.size()) {
        return false;
    }
    auto copy = [&](int from, int to, int count) {
        for (int i = 0; i < count; ++i)
            destination[d + to + i] = source[s + from + i];
    };

    for (int i = 0; i < kRawSoundBytes; ++i)
        destination[d + i] = 0;
    copy(kSndName, kRawName, kNameBytes);
    for (int e = 0; e < kEnvelopes; ++e) {
        const int snd = kSndEnvelopes + kSndEnvelopeStride * e;
        const int raw = kRawEnvelopes + kRawEnvelopeStride * e;
        copy(snd, raw, 2 * kPoints);
        // The marks are set, not added, so a point byte that already carries one stays a byte.
        const int16_t sustain = source[s + snd + kSndSustainPoint];
        if (sustain >= 0 && sustain < kPoints)
            destination[d + raw + 2 * sustain] |= kPointMark;
        const int16_t end = source[s + snd + kSndEndPoint];
        if (end >= 0 && end < kPoints)
            destination[d + raw + 2 * end + 1] |= kPointMark;
        copy(snd + kSndDestinations, raw + kRawDestinations, kDestinationBytes);
    }
    copy(kSndLfos, kRawLfos, kSndLfoBytes);
    copy(kSndModulation, kRawModulation, kSndModulationBytes);
    copy(kSndAlgorithm, kRawAlgorithm, 1);
    copy(kSndTranspose, kRawTranspose, 1);
    copy(kSndNodes, kRawNodes, kSndNodeBytes);
    return true;
}
