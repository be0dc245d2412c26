#include <gtest/gtest.h>

#include <cmath>

#include "windowlogic/EnvelopeGeometry.h"

namespace {
constexpr double kWidth = 5535;
constexpr double kHeight = 2175;
constexpr double kStep = (kHeight - 200) / 127;

EnvelopeGeometry::Shape Example() {
    EnvelopeGeometry::Shape shape;
    shape.rates = {0, 64, 127, 0, 0, 0};
    shape.levels = {127, 64, 64, 0, 0, 0};
    shape.endIndex = 3;
    shape.sustain = 2;
    shape.zoom = 25;
    return shape;
}

void ExpectPoint(EnvelopeGeometry::Point point, double x, double y) {
    EXPECT_NEAR(point.x, x, 1e-6);
    EXPECT_NEAR(point.y, y, 1e-6);
}
}  // namespace

TEST(EnvelopeGeometryTest, DrawsStagesHoldAndMarkerWhereTheValuesPutThem) {
    const EnvelopeGeometry g(Example(), kWidth, kHeight);
    ASSERT_EQ(g.StageCount(), 4);  // points 5 and 6 are past the end point
    ExpectPoint(g.Stage(0).from, 100, 2075);
    ExpectPoint(g.Stage(0).to, 3275, 100);

    const double stage2 = 63.0 / 127 * 63;  // about 31.25 units
    ExpectPoint(g.Stage(1).to, 3275 + stage2 * 25, 100 + 63 * kStep);
    ASSERT_TRUE(g.SustainHold().has_value());
    ExpectPoint(g.SustainHold()->from, g.Stage(1).to.x, g.Stage(1).to.y);
    ExpectPoint(g.SustainHold()->to, g.Stage(1).to.x + 1000, g.Stage(1).to.y);

    // Rate 127 without a level change takes no time; the next stage starts after the hold.
    ExpectPoint(g.Stage(2).from, g.SustainHold()->to.x, g.Stage(1).to.y);
    ExpectPoint(g.Stage(2).to, g.SustainHold()->to.x, g.Stage(1).to.y);
    ExpectPoint(g.Stage(3).to, g.Stage(3).from.x + 1600, 2075);
    ExpectPoint(g.AnchorCentre(3), g.Stage(3).to.x, 2075);

    const auto marker = g.MiddleMarker();
    ExpectPoint(marker.from, 100, 1087.5);
    ExpectPoint(marker.to, kWidth, 1087.5);

    auto none = Example();
    none.endIndex = -1;
    const EnvelopeGeometry empty(none, kWidth, kHeight);
    EXPECT_EQ(empty.StageCount(), 0);
    EXPECT_FALSE(empty.SustainHold().has_value());
}

TEST(EnvelopeGeometryTest, DragReadsHeightAsLevelAndDistanceAsTheRateThatEndsTheStageThere) {
    const EnvelopeGeometry g(Example(), kWidth, kHeight);
    // Every anchor's own place gives its own values back, whatever its stage climbs or falls.
    for (int i = 0; i < 4; ++i) {
        const auto same = g.DragTo(i, g.AnchorCentre(i));
        EXPECT_EQ(same.level, Example().levels[i]) << i;
        EXPECT_EQ(same.rate, Example().rates[i]) << i;
    }

    // Halves go to the even neighbour. On the first stage, climbing to 127, a unit is a rate.
    const double first = g.Stage(0).from.x;
    auto v = g.DragTo(0, {first + 10.5 * 25, 100});
    EXPECT_EQ(v.level, 127);
    EXPECT_EQ(v.rate, 116);
    v = g.DragTo(0, {first + 11.5 * 25, 100});
    EXPECT_EQ(v.rate, 116);
    // Point 3 starts at level 64: there its stage takes no time and keeps its rate.
    const double start = g.Stage(2).from.x;
    v = g.DragTo(2, {start + 10 * 25, 100 + (127 - 63.5) * kStep});
    EXPECT_EQ(v.level, 64);
    EXPECT_EQ(v.rate, 127);
    v = g.DragTo(2, {start, 100 + (127 - 62.5) * kStep});
    EXPECT_EQ(v.level, 62);
    EXPECT_EQ(v.rate, 127);

    // Beyond the graph the values stay in range.
    v = g.DragTo(2, {start - 5000, -5000});
    EXPECT_EQ(v.level, 127);
    EXPECT_EQ(v.rate, 127);
    v = g.DragTo(2, {1e9, 1e9});
    EXPECT_EQ(v.level, 0);
    EXPECT_EQ(v.rate, 0);
}

TEST(EnvelopeGeometryTest, AnAnchorFollowsAPixelMoveAtEveryScale) {
    const auto shape = Example();
    const EnvelopeGeometry g(shape, kWidth, kHeight);
    for (double scale : {1.0, 1.5, 2.0}) {
        const double pixel = 1440 / (96 * scale);  // twips in one device pixel
        for (int i : {1, 3}) {                     // stages that climb or fall part of the range
            const int climb = std::abs(shape.levels[i] - shape.levels[i - 1]);
            const double ratePerPixel = pixel / shape.zoom * 127 / climb;
            const auto centre = g.AnchorCentre(i);
            for (int pixels = 1; pixels <= 8; ++pixels) {
                const EnvelopeGeometry::Point at{centre.x - pixels * pixel, centre.y};
                const auto v = g.DragTo(i, at);
                EXPECT_EQ(v.level, shape.levels[i]);
                EXPECT_LE(std::abs(v.rate - shape.rates[i]), pixels * ratePerPixel + 1)
                    << scale << " " << i << " " << pixels;
                // Drawn with the new values, the anchor lies under the pointer.
                auto moved = shape;
                moved.rates[i] = v.rate;
                moved.levels[i] = v.level;
                EXPECT_NEAR(EnvelopeGeometry(moved, kWidth, kHeight).AnchorCentre(i).x, at.x, pixel)
                    << scale << " " << i << " " << pixels;
            }
            const auto up = g.DragTo(i, {centre.x, centre.y - pixel});
            EXPECT_LE(std::abs(up.level - shape.levels[i]), pixel / kStep + 1);
        }
    }
}

TEST(EnvelopeGeometryTest, LongestEnvelopeAtWidestZoomStaysExact) {
    EnvelopeGeometry::Shape shape;
    shape.rates = {0, 0, 0, 0, 0, 0};
    shape.levels = {127, 0, 127, 0, 127, 0};
    shape.endIndex = 5;
    shape.sustain = 5;
    shape.zoom = 60;
    const EnvelopeGeometry g(shape, kWidth, kHeight);
    // Six full climbs of 127 units and the hold of 40, 60 twips each: far past 32,767.
    ExpectPoint(g.AnchorCentre(5), 100 + (6 * 127 + 40) * 60, 2075);
    ExpectPoint(g.SustainHold()->to, 100 + (5 * 127 + 40) * 60, 100);
    const auto v = g.DragTo(5, g.AnchorCentre(5));
    EXPECT_EQ(v.level, 0);
    EXPECT_EQ(v.rate, 0);
    EXPECT_EQ(g.AnchorAt(g.AnchorCentre(5), 0), 5);
}

TEST(EnvelopeGeometryTest, GrabsTheNearestAnchorAndTheLaterOfTwoOnOnePlace) {
    auto shape = Example();
    shape.sustain = 0;  // point 3 (rate 127, same level) then sits on point 2
    const EnvelopeGeometry g(shape, kWidth, kHeight);
    EXPECT_EQ(g.AnchorAt(g.AnchorCentre(1), 0), 2);
    const auto first = g.AnchorCentre(0);
    EXPECT_EQ(g.AnchorAt({first.x + 90, first.y - 90}, 0), 0);
    EXPECT_EQ(g.AnchorAt({first.x + 150, first.y}, 0), -1);
    EXPECT_EQ(g.AnchorAt({first.x + 150, first.y}, 60), 0);
}
