#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>

#include "ui/widgets/WindowGlue.h"

// A text box paired with its scroll bar the way the editor windows pair them.
class TypingTest : public ::testing::Test {
  protected:
    TypingTest() : bar(Qt::Horizontal) {
        bar.setRange(0, 127);
        bar.setValue(7);
        QObject::connect(&bar, &QScrollBar::valueChanged,
                         [this](int value) { text.setText(QString::number(value)); });
    }

    // Types into the box and applies it; returns text and bar value as "text|value".
    QString Type(const QString& typed) {
        text.setText(typed);
        TextToScrollBar(text, bar);
        return text.text() + "|" + QString::number(bar.value());
    }

    QLineEdit text;
    QScrollBar bar;
};

TEST_F(TypingTest, TypedTextIsRoundedClampedAndWrittenBack) {
    EXPECT_EQ(Type("07"), "07|7");  // the value the bar has: the typing stays
    EXPECT_EQ(Type("300"), "127|127");
    EXPECT_EQ(Type("12abc"), "12|12");
    EXPECT_EQ(Type("2.5"), "2|2");  // halves go to the even neighbour
    EXPECT_EQ(Type("3.5"), "4|4");
    EXPECT_EQ(Type(""), "0|0");
    EXPECT_EQ(Type("5"), "5|5");
    EXPECT_EQ(Type("-100"), "0|0");
    EXPECT_EQ(Type("99999999"), "127|127");
}

TEST(WindowGlueTest, UpDownFollowsTheSameRule) {
    QLineEdit text;
    QSpinBox upDown;
    upDown.setRange(-12, 12);
    upDown.setValue(3);
    text.setText("+03");
    TextToUpDown(text, upDown);
    EXPECT_EQ(text.text(), "+03");
    text.setText("-40");
    TextToUpDown(text, upDown);
    EXPECT_EQ(text.text(), "-12");
    EXPECT_EQ(upDown.value(), -12);
}

TEST(WindowGlueTest, ListsAreMatchedIgnoringCaseAndReportTheSelection) {
    QComboBox list;
    list.addItems({"USB MIDI", "MIDI Out", "midi out"});
    list.setCurrentIndex(-1);
    QSignalSpy picked(&list, &QComboBox::currentIndexChanged);

    SelectComboItem(list, "");
    SelectComboItem(list, "Nothing like it");
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(picked.count(), 0);

    SelectComboItem(list, "midi OUT");
    EXPECT_EQ(list.currentIndex(), 1);  // the first match wins
    EXPECT_EQ(picked.count(), 1);
}

TEST(WindowGlueTest, OnlyACheckedBoxReadsAsTrue) {
    QCheckBox box;
    box.setTristate(true);
    SetCheck(box, true);
    EXPECT_EQ(box.checkState(), Qt::Checked);
    EXPECT_TRUE(GetCheck(box));
    box.setCheckState(Qt::PartiallyChecked);
    EXPECT_FALSE(GetCheck(box));
    SetCheck(box, false);
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    EXPECT_FALSE(GetCheck(box));
}
