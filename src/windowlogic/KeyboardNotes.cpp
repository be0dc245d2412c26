#include "windowlogic/KeyboardNotes.h"

#include <charconv>
#include <string_view>

const std::array<KeyboardNotes::Range, 5>& KeyboardNotes::Ranges() {
    static const std::array<Range, 5> kRanges{
        {{"C1 to C3", 0}, {"C2 to C4", 24}, {"C3 to C5", 48}, {"C4 to C6", 72}, {"C5 to C7", 96}}};
    return kRanges;
}

int KeyboardNotes::NoteOf(int key, int range) {
    if (key < 0 || key >= kKeys || range < 0 || range >= static_cast<int>(Ranges().size()))
        return -1;
    return Ranges()[range].baseNote + key;
}

int KeyboardNotes::KeyOfComputerKey(int code) {
    static constexpr std::string_view kLowerRow = "ZSXDCVGBHNJM,L.;/";
    static constexpr std::string_view kUpperRow = "Q2W3ER5T6Y7UI";
    static constexpr int kUpperRowFirst = 12;
    if (code <= 0 || code > 127)
        return -1;
    const char typed = static_cast<char>(code);
    if (const size_t at = kLowerRow.find(typed); at != std::string_view::npos)
        return static_cast<int>(at);
    if (const size_t at = kUpperRow.find(typed); at != std::string_view::npos)
        return kUpperRowFirst + static_cast<int>(at);
    return -1;
}

int KeyboardNotes::StoredIndex(const std::string& text, int count, int fallback) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 0 || value >= count)
        return fallback;
    return value;
}

std::optional<KeyboardNotes::Note> KeyboardNotes::Press(int key, int range, int channel) {
    const int note = NoteOf(key, range);
    if (note < 0 || held_[key])
        return std::nullopt;
    held_[key] = Note{channel, note};
    return held_[key];
}

std::optional<KeyboardNotes::Note> KeyboardNotes::Release(int key) {
    if (key < 0 || key >= kKeys)
        return std::nullopt;
    std::optional<Note> note = held_[key];
    held_[key].reset();
    return note;
}

std::vector<KeyboardNotes::Note> KeyboardNotes::ReleaseAll() {
    std::vector<Note> notes;
    for (int key = 0; key < kKeys; ++key) {
        if (std::optional<Note> note = Release(key))
            notes.push_back(*note);
    }
    return notes;
}
