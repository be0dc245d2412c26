#include <gtest/gtest.h>

#include "windowlogic/KeyboardNotes.h"

using Note = KeyboardNotes::Note;

TEST(KeyboardNotesTest, KeysPlayFromTheLowestCOfTheRange) {
    EXPECT_STREQ(KeyboardNotes::Ranges()[KeyboardNotes::kDefaultRange].caption, "C3 to C5");
    EXPECT_EQ(KeyboardNotes::NoteOf(0, 2), 48);
    EXPECT_EQ(KeyboardNotes::NoteOf(24, 2), 72);
    EXPECT_EQ(KeyboardNotes::NoteOf(24, 4), 120);
    EXPECT_EQ(KeyboardNotes::NoteOf(25, 2), -1);
    EXPECT_EQ(KeyboardNotes::NoteOf(0, 5), -1);
}

TEST(KeyboardNotesTest, AReleaseStopsTheNoteThePressStarted) {
    KeyboardNotes keys;
    EXPECT_EQ(keys.Press(3, 2, 4), (Note{4, 51}));
    EXPECT_EQ(keys.Press(3, 2, 4), std::nullopt);  // already down
    EXPECT_EQ(keys.Press(24, 0, 4), (Note{4, 24}));
    // The range and channel changed since; the notes that sound are the ones stopped.
    EXPECT_EQ(keys.Release(3), (Note{4, 51}));
    EXPECT_EQ(keys.Release(3), std::nullopt);
    keys.Press(0, 4, 9);
    EXPECT_EQ(keys.ReleaseAll(), (std::vector<Note>{{9, 96}, {4, 24}}));
    EXPECT_TRUE(keys.ReleaseAll().empty());
}

TEST(KeyboardNotesTest, StoredIndexesOutsideTheListFallBack) {
    EXPECT_EQ(KeyboardNotes::StoredIndex("15", 16, 0), 15);
    EXPECT_EQ(KeyboardNotes::StoredIndex("16", 16, 0), 0);
    EXPECT_EQ(KeyboardNotes::StoredIndex("-1", 5, 2), 2);
    EXPECT_EQ(KeyboardNotes::StoredIndex("", 5, 2), 2);
    EXPECT_EQ(KeyboardNotes::StoredIndex("3x", 5, 2), 2);
}
