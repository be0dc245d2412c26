#include "catalog/SoundFingerprint.h"

#include "tables/SoundLayout.h"

uint64_t SoundFingerprint(const RawData& raw, int offset) {
    constexpr uint64_t kOffsetBasis = 14695981039346656037ull;
    constexpr uint64_t kPrime = 1099511628211ull;
    uint64_t hash = kOffsetBasis;
    const int first = offset + SoundLayout::kName + SoundLayout::kNameBytes;
    const int end = std::min<int>(offset + SoundLayout::kSize, static_cast<int>(raw.size()));
    for (int i = first; i < end; ++i) {
        hash ^= static_cast<uint64_t>(raw[i] & 0xFF);
        hash *= kPrime;
    }
    return hash;
}

QString FingerprintText(uint64_t fingerprint) {
    return QStringLiteral("%1").arg(fingerprint, 16, 16, QLatin1Char('0'));
}

bool FingerprintFromText(const QString& text, uint64_t& fingerprint) {
    if (text.size() != 16)
        return false;
    bool ok = false;
    const uint64_t value = text.toULongLong(&ok, 16);
    if (ok)
        fingerprint = value;
    return ok;
}
