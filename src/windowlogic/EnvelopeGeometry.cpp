#include "windowlogic/EnvelopeGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
int ClampLevel(int value) {
    return std::clamp(value, 0, EnvelopeGeometry::kMaximum);
}

// Halves go to the even neighbour (the default rounding mode).
int RoundedClamped(double value) {
    const double held = std::clamp(value, -1.0, EnvelopeGeometry::kMaximum + 1.0);
    return ClampLevel(static_cast<int>(std::nearbyint(held)));
}
}  // namespace

EnvelopeGeometry::EnvelopeGeometry(const Shape& shape, double graphWidth, double graphHeight)
    : graphWidth_(graphWidth), graphHeight_(graphHeight), zoom_(std::max(shape.zoom, 1)) {
    stageCount_ = std::clamp(shape.endIndex + 1, 0, kPoints);
    double units = 0;
    int previous = 0;
    for (int i = 0; i < stageCount_; ++i) {
        const int level = ClampLevel(shape.levels[i]);
        const int rate = ClampLevel(shape.rates[i]);
        const double length =
            std::abs(level - previous) / double(kMaximum) * double(kMaximum - rate);
        stages_[i] = {{X(units), Y(previous)}, {X(units + length), Y(level)}};
        startLevels_[i] = previous;
        rates_[i] = rate;
        units += length;
        previous = level;
        if (i == shape.sustain - 1) {
            sustainHold_ = Line{{X(units), Y(level)}, {X(units + kSustainUnits), Y(level)}};
            units += kSustainUnits;
        }
    }
}

double EnvelopeGeometry::Y(double level) const {
    return kMargin + (kMaximum - level) * ((graphHeight_ - 2 * kMargin) / kMaximum);
}

double EnvelopeGeometry::X(double units) const {
    return kMargin + units * zoom_;
}

EnvelopeGeometry::Line EnvelopeGeometry::MiddleMarker() const {
    const double y = kMargin + (graphHeight_ - 2 * kMargin) / 2;
    return {{kMargin, y}, {graphWidth_, y}};
}

EnvelopeGeometry::DragValues EnvelopeGeometry::DragTo(int i, Point centre) const {
    const double step = (graphHeight_ - 2 * kMargin) / kMaximum;
    const int level = RoundedClamped(kMaximum - (centre.y - kMargin) / step);
    const int climb = std::abs(level - startLevels_.at(i));
    // A stage that neither climbs nor falls takes no time at any rate: the rate stays.
    if (climb == 0)
        return {level, rates_.at(i)};
    // The stage lasts climb / 127 * (127 - rate) units; the rate that makes it end here.
    const double units = (centre.x - stages_.at(i).from.x) / zoom_;
    return {level, RoundedClamped(kMaximum - units * kMaximum / climb)};
}

int EnvelopeGeometry::AnchorAt(Point at, double slack) const {
    const double reach = kAnchorSize / 2 + slack;
    int found = -1;
    double nearest = 0;
    for (int i = 0; i < stageCount_; ++i) {
        const Point c = AnchorCentre(i);
        const double dx = std::abs(at.x - c.x);
        const double dy = std::abs(at.y - c.y);
        if (dx > reach || dy > reach)
            continue;
        const double distance = dx * dx + dy * dy;
        if (found < 0 || distance <= nearest) {
            found = i;
            nearest = distance;
        }
    }
    return found;
}
