#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "library/LibraryFiles.h"
#include "library/RawFile.h"

TEST(RawFileTest, WritesOneBytePerElementAndReplacesLongerFiles) {
    TempFolder folder;
    const std::string path = folder.Path("pad.zel");
    std::string failure;
    ASSERT_TRUE(WriteRawFile(Pattern(2761, 5), path, failure)) << failure;
    ASSERT_EQ(FileBytes(path).size(), 2761u);

    const RawData sound = Pattern(138, 5);
    ASSERT_TRUE(WriteRawFile(sound, path, failure)) << failure;
    EXPECT_EQ(FileBytes(path), AsBytes(sound));  // exactly 138 bytes, bit 7 kept

    RawData back(138, 0);
    ASSERT_TRUE(ReadRawFile(back, path, failure)) << failure;
    EXPECT_EQ(back, sound);
}

TEST(RawFileTest, ShortFileLeavesTheRestAndLongFileChangesNothing) {
    TempFolder folder;
    const std::string path = folder.Path("short.zeg");
    PutFile(path, {200, 1, 2});
    RawData raw(82, 7);
    std::string failure;
    ASSERT_TRUE(ReadRawFile(raw, path, failure)) << failure;
    EXPECT_EQ(raw[0], 200);
    EXPECT_EQ(raw[2], 2);
    EXPECT_EQ(raw[3], 7);
    EXPECT_EQ(raw[81], 7);

    PutFile(path, std::vector<uint8_t>(83, 1));
    RawData untouched(82, 9);
    EXPECT_FALSE(ReadRawFile(untouched, path, failure));
    EXPECT_EQ(untouched, RawData(82, 9));
    EXPECT_NE(failure.find(path), std::string::npos);
    EXPECT_NE(failure.find("83 bytes"), std::string::npos);
    EXPECT_NE(failure.find("82 bytes"), std::string::npos);

    EXPECT_FALSE(ReadRawFile(untouched, folder.Path("missing.zeg"), failure));
    EXPECT_NE(failure.find("missing.zeg"), std::string::npos);
    EXPECT_FALSE(ReadRawFile(untouched, folder.Root(), failure));
    EXPECT_EQ(untouched, RawData(82, 9));
}

TEST(RawFileTest, FailedWritesKeepTheOldFile) {
    TempFolder folder;
    const std::string path = folder.Path("keep.zel");
    const RawData old = Pattern(138, 5);
    std::string failure;
    ASSERT_TRUE(WriteRawFile(old, path, failure));

    RawData bad = Pattern(138, 5);
    bad[40] = 256;
    EXPECT_FALSE(WriteRawFile(bad, path, failure));
    EXPECT_NE(failure.find("256"), std::string::npos);
    EXPECT_NE(failure.find("position 40"), std::string::npos);
    bad[40] = -1;
    EXPECT_FALSE(WriteRawFile(bad, path, failure));
    EXPECT_EQ(FileBytes(path), AsBytes(old));

    EXPECT_FALSE(WriteRawFile(old, folder.Path("no/such/folder.zel"), failure));
    EXPECT_NE(failure.find("no/such/folder.zel"), std::string::npos);
}

TEST(RawFileTest, LibraryReadsFillFreshArraysOfTheirKind) {
    TempFolder folder;
    std::string failure;
    RawData data(5, 42);
    // A short .zas leaves zeros, not what the array held before.
    PutFile(folder.Path("d.ZAS"), {65, 66});
    ASSERT_TRUE(ReadAllSoundsFile(folder.Path("d.ZAS"), data, failure)) << failure;
    ASSERT_EQ(data.size(), 2761u);
    EXPECT_EQ(data[1], 66);
    EXPECT_EQ(data[2], 0);

    // An upper-case .ZEL is a sound file: 138 bytes taken as they are, not as an SND record.
    std::vector<uint8_t> native(138);
    for (size_t i = 0; i < native.size(); ++i)
        native[i] = static_cast<uint8_t>(i);
    PutFile(folder.Path("e.ZEL"), native);
    ASSERT_TRUE(ReadSoundFile(folder.Path("e.ZEL"), data, failure)) << failure;
    EXPECT_EQ(AsBytes(data), native);
}
