#pragma once

#include <string>

// Names of sounds and groups: stored as exactly ten characters (one byte each), padded with
// blanks. One rule for both.
inline constexpr int kNameLength = 10;

// What a name setter stores: the first ten characters with leading and trailing blanks removed,
// "Noname" when nothing is left, padded with blanks to ten.
std::string NormaliseName(const std::string& text);

// What a name getter returns: the stored name without trailing blanks, but never shorter than
// its first character (ten blanks give one blank); "" for an empty stored name.
std::string DisplayName(const std::string& stored);
