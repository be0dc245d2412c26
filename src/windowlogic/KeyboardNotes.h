#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// The notes of the audition's on-screen keyboard: 25 keys from the lowest C of the chosen octave
// range. A key remembers the note and channel it started, and its release stops exactly that
// note, whatever the range or channel is by then, so no note is left sounding.
class KeyboardNotes {
  public:
    static constexpr int kKeys = 25;
    static constexpr int kVelocity = 120;
    static constexpr int kDefaultRange = 2;

    struct Range {
        const char* caption;
        int baseNote;
    };
    struct Note {
        int channel;
        int note;
        bool operator==(const Note&) const = default;
    };

    static const std::array<Range, 5>& Ranges();
    // -1 when the key or the range does not exist.
    static int NoteOf(int key, int range);
    // The key a computer key plays, laid out as two rows of a piano: Z S X D C V G B H N J M
    // from the lowest C up (and , L . ; / on), Q 2 W 3 E R 5 T 6 Y 7 U I from the next C.
    // code is the key's upper-case character code (the toolkit's key code); -1 for another key.
    static int KeyOfComputerKey(int code);
    // A stored list index is used only when it is a whole number inside the list; anything else
    // (absent, damaged, out of range) gives the fallback.
    static int StoredIndex(const std::string& text, int count, int fallback);

    // The note to start, or none when the key is already down or does not exist.
    std::optional<Note> Press(int key, int range, int channel);
    // The note the key started, or none when it is not down.
    std::optional<Note> Release(int key);
    // The notes of every key that is down, in key order; afterwards none is.
    std::vector<Note> ReleaseAll();

  private:
    std::array<std::optional<Note>, kKeys> held_;
};
