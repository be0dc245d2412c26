#include <gtest/gtest.h>

#include <chrono>

#include "platform/EventPump.h"
#include "midi/ModuleGlobals.h"
#include "platform/SteadyClock.h"

TEST(ModuleGlobalsTest, SignedBytesConvertBothWaysAndLeaveSmallValuesAlone) {
    EXPECT_EQ(SignedFromByte(255), -1);
    EXPECT_EQ(SignedFromByte(128), -128);
    EXPECT_EQ(ByteFromSigned(-128), 128);
    EXPECT_EQ(ByteFromSigned(-1), 255);
    for (int16_t v = 0; v < 128; ++v) {
        EXPECT_EQ(SignedFromByte(v), v);
        EXPECT_EQ(ByteFromSigned(v), v);
    }
    for (int16_t b = 0; b < 256; ++b)
        EXPECT_EQ(ByteFromSigned(SignedFromByte(b)), b);
}

TEST(ModuleGlobalsTest, BitsAreReadAndSet) {
    EXPECT_TRUE(BitIsSet(0x21, 0));
    EXPECT_TRUE(BitIsSet(0x21, 5));
    EXPECT_FALSE(BitIsSet(0x21, 1));
    EXPECT_TRUE(BitIsSet(-32768, 15));
    EXPECT_EQ(SetBit(0, 5), 32);
    EXPECT_EQ(SetBit(32, 5), 32);
    EXPECT_EQ(SetBit(1, 14), 16385);
}

TEST(ModuleGlobalsTest, NoteNamesCarryTheOctaveFromZero) {
    EXPECT_EQ(NoteName(0), "C0");
    EXPECT_EQ(NoteName(60), "C5");
    EXPECT_EQ(NoteName(61), "C#5");
    EXPECT_EQ(NoteName(127), "G10");
    EXPECT_EQ(NoteName(-1), "-1");
    EXPECT_EQ(NoteName(-12), "-1");
    EXPECT_EQ(NoteName(-13), "-2");
}

TEST(ModuleGlobalsTest, FileExtensionLooksOnlyForTheLastDotAfterTheFirstCharacter) {
    EXPECT_EQ(FileExtension("sound.zel"), "zel");
    EXPECT_EQ(FileExtension("name."), "");
    EXPECT_EQ(FileExtension(".zel"), "");
    EXPECT_EQ(FileExtension("dir.x\\file"), "x\\file");
    EXPECT_EQ(FileExtension("a.b.ZAS"), "ZAS");
    EXPECT_EQ(FileExtension(""), "");
    EXPECT_EQ(FileExtension("noext"), "");
}

TEST(ModuleGlobalsTest, StripAtNulKeepsOnlyWhatPrecedesTheFirstNul) {
    EXPECT_EQ(StripAtNul(std::string("MIDI Out\0garbage", 16)), "MIDI Out");
    EXPECT_EQ(StripAtNul("plain"), "plain");
    EXPECT_EQ(StripAtNul(std::string("\0x", 2)), "");
}

TEST(ModuleGlobalsTest, CopyIntegersCopiesARangeAndRefusesOneOutsideEitherArray) {
    RawData source{1, 2, 3, 4, 5};
    RawData destination(6, 0);
    EXPECT_TRUE(CopyIntegers(source, 1, destination, 2, 3));
    EXPECT_EQ(destination, (RawData{0, 0, 2, 3, 4, 0}));
    EXPECT_FALSE(CopyIntegers(source, 3, destination, 0, 3));
    EXPECT_FALSE(CopyIntegers(source, 0, destination, 4, 3));
    EXPECT_EQ(destination, (RawData{0, 0, 2, 3, 4, 0}));
}

// The common typing cases are driven through a real text box and scroll bar in the window
// tests; these are the ones only the rule itself shows.
TEST(ModuleGlobalsTest, TypedNumbersFollowTheirControlWithTheClampMinimumFirst) {
    EXPECT_EQ(TypedControlValue("07", 7, 0, 127), std::nullopt);
    EXPECT_EQ(TypedControlValue("", 0, 0, 127), std::nullopt);
    EXPECT_EQ(TypedControlValue("-100", 0, -19, 19), -19);
    EXPECT_EQ(TypedControlValue("  -7", 0, -19, 19), -7);
    // A clamped value equal to the current one still rewrites the text.
    EXPECT_EQ(TypedControlValue("999", 127, 0, 127), 127);
    EXPECT_EQ(LeadingInteger16("1e9"), 32767);
    EXPECT_EQ(LeadingInteger16("-.5"), 0);
    EXPECT_EQ(LeadingInteger16("abc12"), 0);
}

TEST(ModuleGlobalsTest, DelayRunsEventsForTheGivenTimeOnTheRealClock) {
    SteadyClock clock;
    int passes = 0;
    FunctionEventPump pump([&] { ++passes; });
    const auto start = std::chrono::steady_clock::now();
    Delay(0.05f, pump, clock);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(elapsed, 0.05);
    EXPECT_LT(elapsed, 0.5);
    // Events ran while waiting, but the wait slept between passes instead of spinning.
    EXPECT_GT(passes, 5);
    EXPECT_LT(passes, 1000);

    passes = 0;
    Delay(0.0f, pump, clock);
    Delay(-1.0f, pump, clock);
    EXPECT_EQ(passes, 0);
}
