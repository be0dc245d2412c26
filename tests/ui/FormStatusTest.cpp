#include <gtest/gtest.h>
#include <QLabel>
#include <QProgressBar>

#include "platform/EventPump.h"
#include "ui/common/FormStatus.h"

class FormStatusTest : public ::testing::Test {
  protected:
    FormStatusTest() : pump([this] { ++passes; }), status(pump) { status.show(); }

    QString Message() const { return status.findChild<QLabel*>("LabelMessage")->text(); }
    QString Percentage() const { return status.findChild<QLabel*>("LabelPercentage")->text(); }
    QProgressBar* Bar() const { return status.findChild<QProgressBar*>("ProgressBar"); }

    int passes = 0;
    FunctionEventPump pump;
    FormStatus status;
};

TEST_F(FormStatusTest, AnEmptyRangeShowsOnlyTheCaptionAndTheMessage) {
    status.Prepare("Status", "Aquiring sounds from ZEL-1...", 0, 0, 0);
    EXPECT_EQ(status.windowTitle(), "Status");
    EXPECT_EQ(Message(), "Aquiring sounds from ZEL-1...");
    EXPECT_FALSE(Bar()->isVisible());
    EXPECT_FALSE(status.findChild<QLabel*>("LabelPercentage")->isVisible());
    EXPECT_EQ(passes, 1);

    // A later transfer with a range brings the bar back.
    status.Prepare("Sending", "Sending sounds", 0, 20, 5);
    EXPECT_TRUE(Bar()->isVisible());
    EXPECT_EQ(Percentage(), "25%");
}

TEST_F(FormStatusTest, PercentagesKeepTheirFractionAndReachOneHundred) {
    status.Prepare("Status", "Working", 0, 3, 1);
    EXPECT_EQ(Percentage(), "33.3333333333333%");
    EXPECT_EQ(Bar()->value(), 1);

    status.ChangeValue(1);
    EXPECT_EQ(Percentage(), "33.33333%");
    status.ChangeValue(2);
    EXPECT_EQ(Percentage(), "66.66666%");
    status.ChangeValue(3);
    EXPECT_EQ(Percentage(), "100%");
    EXPECT_EQ(Bar()->value(), 3);

    status.ChangeMessage("Almost done");
    EXPECT_EQ(Message(), "Almost done");
    EXPECT_EQ(Percentage(), "100%");
    EXPECT_EQ(Bar()->value(), 3);
    EXPECT_EQ(passes, 5);

    // A value past the end is held at the end instead of being refused by the bar.
    status.Prepare("Status", "Working", 10, 30, 40);
    EXPECT_EQ(Bar()->value(), 30);
    EXPECT_EQ(Percentage(), "100%");
}
