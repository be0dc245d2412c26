#pragma once

#include <QString>
#include <cstdint>

#include "midi/RawData.h"

// What identifies a sound regardless of its name: a 64-bit FNV-1a hash of the 138-byte record at
// `offset` in raw without its ten name bytes, so the same sound saved under another name (or in
// another bank) has the same fingerprint.
uint64_t SoundFingerprint(const RawData& raw, int offset = 0);

// Sixteen lower-case hex digits, and back; FingerprintFromText gives false for anything else.
QString FingerprintText(uint64_t fingerprint);
bool FingerprintFromText(const QString& text, uint64_t& fingerprint);
