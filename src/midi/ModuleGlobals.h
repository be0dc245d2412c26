#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "midi/RawData.h"

class Clock;
class EventPump;

// Small value routines shared by the whole program.

// 128..255 become -128..-1; everything else is returned unchanged.
int16_t SignedFromByte(int16_t value);
// -128..-1 become 128..255; everything else is returned unchanged.
int16_t ByteFromSigned(int16_t value);
bool BitIsSet(int16_t value, int bit);
int16_t SetBit(int16_t value, int bit);

// "C5" for 60: the name of note mod 12 and the octave floor(note / 12). Notes below 0 have no
// name part, so -1 gives "-1".
std::string NoteName(int note);

// The text after the last "." of path, searched from the end down to the second character;
// "" when there is none. Path separators are not looked at.
std::string FileExtension(const std::string& path);

// The characters before the first NUL.
std::string StripAtNul(const std::string& text);

// destination[destStart + i] = source[sourceStart + i] for i in 0..count-1. Returns false and
// copies nothing when a range lies outside either array.
bool CopyIntegers(const RawData& source, int sourceStart, RawData& destination, int destStart,
                  int count);

// Waits the given seconds while processing pending events; between two looks it sleeps about a
// millisecond, so the wait costs almost no processor time. Returns at once for 0 or less.
void Delay(float seconds, EventPump& pump, Clock& clock);

// The number at the start of text (leading blanks skipped; sign, digits, fraction and exponent),
// 0 when there is none.
double LeadingNumber(const std::string& text);

// True when text starts with a number LeadingNumber can read (after blanks and a sign).
bool HasLeadingNumber(const std::string& text);

// The leading number of text rounded half to even and held inside the 16-bit range.
int16_t LeadingInteger16(const std::string& text);

// The rule behind a text box paired with a scroll bar or an up-down control: the typed value v
// (LeadingInteger16 of text) changes nothing when it equals the control's current value (the
// typing stays as it is, e.g. "07"); otherwise v is clamped, minimum first, and becomes both the
// control's value and the text. Returns the new value, or nothing when nothing changes.
std::optional<int32_t> TypedControlValue(const std::string& text, int32_t current, int32_t minimum,
                                         int32_t maximum);
