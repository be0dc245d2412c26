#include <gtest/gtest.h>

#include "synth/ReplySchedule.h"

using Message = ReplySchedule::Message;

TEST(ReplyScheduleTest, WithoutCableSpeedRepliesLeaveAtOnce) {
    ReplySchedule schedule;
    schedule.Add(10.0, 8, {Message{1, 2}, Message{3}});
    EXPECT_EQ(schedule.NextDue(), 10.0);
    EXPECT_EQ(schedule.TakeDue(10.0), (std::vector<Message>{{1, 2}, {3}}));
    EXPECT_FALSE(schedule.NextDue().has_value());
}

TEST(ReplyScheduleTest, AtCableSpeedRequestAndReplyCrossTheCableAndRepliesQueueOnIt) {
    ReplySchedule schedule;
    schedule.SetCableSpeed(true);
    // An all-sounds request (8 bytes) and its dump (5,531 bytes).
    schedule.Add(100.0, 8, {Message(5531, 0x01)});
    const double dumpDue = 100.0 + (8 + 5531) / 3125.0;
    ASSERT_TRUE(schedule.NextDue().has_value());
    EXPECT_NEAR(*schedule.NextDue(), dumpDue, 1e-9);
    EXPECT_TRUE(schedule.TakeDue(dumpDue - 0.001).empty());

    // A second request taken meanwhile: its reply waits until the cable is free.
    schedule.Add(100.5, 8, {Message(9, 0x02)});
    EXPECT_EQ(schedule.Pending(), 2u);
    auto first = schedule.TakeDue(dumpDue);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].size(), 5531u);
    EXPECT_NEAR(*schedule.NextDue(), dumpDue + 9 / 3125.0, 1e-9);
    EXPECT_EQ(schedule.TakeDue(dumpDue + 1.0), (std::vector<Message>{Message(9, 0x02)}));

    // Silence (no reply) schedules nothing.
    schedule.Add(200.0, 8, {});
    EXPECT_EQ(schedule.Pending(), 0u);
}
