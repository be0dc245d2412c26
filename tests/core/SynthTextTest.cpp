#include <gtest/gtest.h>

#include "model/NameRules.h"
#include "windowlogic/SynthText.h"

TEST(SynthTextTest, TypedNamesBecomeOneSynthBytePerCharacter) {
    // Latin-1 letters keep their byte; a snowman and an emoji (two UTF-16 units) are one "?"
    // each, so the ten-byte cut never splits a character.
    const std::string bytes =
        SynthText::FromTyped(QString::fromUtf8("Caf\u00e9 \u2603\U0001F3B9ab\t"));
    EXPECT_EQ(bytes, std::string("Caf\xE9 ??ab?"));
    EXPECT_EQ(NormaliseName(bytes), std::string("Caf\xE9 ??ab?"));
    EXPECT_EQ(SynthText::ToShown(bytes).toStdString(), std::string("Caf\u00e9 ??ab?"));
}
