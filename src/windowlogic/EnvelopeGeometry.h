#pragma once

#include <array>
#include <optional>

// Where the envelope graph draws an envelope, in twips from the graph area's top-left corner.
// Time runs left to right in abstract units (zoom twips each), levels 0..127 bottom to top
// inside a 100-twip margin. Each stage's length grows with the levels it climbs or falls and
// shrinks with its rate; rate 127 is a vertical step. The sustain point is followed by a level
// hold of a fixed 40 units.
class EnvelopeGeometry {
  public:
    static constexpr int kPoints = 6;
    static constexpr int kMaximum = 127;
    static constexpr double kMargin = 100;
    static constexpr double kSustainUnits = 40;
    // The drawn size of an anchor (a square centred on its point).
    static constexpr double kAnchorSize = 195;

    struct Point {
        double x = 0;
        double y = 0;
    };
    struct Line {
        Point from;
        Point to;
    };
    struct Shape {
        std::array<int, kPoints> rates{};
        std::array<int, kPoints> levels{};
        // Index of the last point drawn, -1 for none.
        int endIndex = -1;
        // Point number of the sustain point (the hold follows point sustain - 1), 0 for none.
        int sustain = 0;
        int zoom = 25;
    };
    struct DragValues {
        int level = 0;
        int rate = 0;
    };

    EnvelopeGeometry(const Shape& shape, double graphWidth, double graphHeight);

    // Stages drawn: one per point up to the end point.
    int StageCount() const { return stageCount_; }
    // Stage i runs from the previous point (level 0 at time 0 for the first) to point i.
    const Line& Stage(int i) const { return stages_.at(i); }
    Point AnchorCentre(int i) const { return stages_.at(i).to; }
    const std::optional<Line>& SustainHold() const { return sustainHold_; }
    // The dotted line halfway up the level range.
    Line MiddleMarker() const;

    double Y(double level) const;
    double X(double units) const;

    // The level and rate that put point i's anchor centre at `centre`: the height reads as a
    // level, and the distance from the stage's start as the rate that makes the stage, climbing
    // or falling to that level, end there (a stage that does neither keeps its rate). Rounded
    // half to even, held in 0..127.
    DragValues DragTo(int i, Point centre) const;
    // The drawn anchor nearest to `at` whose grab square (the anchor grown by `slack` on every
    // side) holds it, or -1. Of anchors equally near, the later one, which is drawn on top.
    int AnchorAt(Point at, double slack) const;

  private:
    double graphWidth_;
    double graphHeight_;
    int zoom_;
    int stageCount_ = 0;
    std::array<Line, kPoints> stages_{};
    // The level each stage starts from, and its rate as drawn.
    std::array<int, kPoints> startLevels_{};
    std::array<int, kPoints> rates_{};
    std::optional<Line> sustainHold_;
};
