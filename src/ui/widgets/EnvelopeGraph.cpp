#include "ui/widgets/EnvelopeGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ui/widgets/Twips.h"

namespace {
const QColor kBackground(252, 252, 250);
const QColor kFrame(160, 160, 160);
const QColor kGrid(236, 236, 236);
const QColor kMiddleMarker(208, 208, 208);
const QColor kCurve(28, 86, 160);
const QColor kFill(28, 86, 160, 38);
const QColor kAnchor(224, 224, 224);
const QColor kAnchorBorder(96, 96, 96);
// A time grid, so the zoom shows at a glance.
constexpr double kGridUnits = 10;
constexpr double kGridMinimumPixels = 16;
// How far beyond its drawn square an anchor can still be grabbed.
constexpr double kGrabSlack = 75;
}  // namespace

EnvelopeGraph::EnvelopeGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrameEnv"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize EnvelopeGraph::sizeHint() const {
    return Twips::ToPixels(QSize(kWidthTwips, kHeightTwips), *this);
}

QSize EnvelopeGraph::minimumSizeHint() const {
    return sizeHint();
}

void EnvelopeGraph::SetShape(const EnvelopeGeometry::Shape& shape) {
    shape_ = shape;
    update();
}

double EnvelopeGraph::PixelsPerTwipX() const {
    return logicalDpiX() / double(Twips::kPerInch);
}

double EnvelopeGraph::PixelsPerTwipY() const {
    return logicalDpiY() / double(Twips::kPerInch);
}

EnvelopeGeometry EnvelopeGraph::Geometry() const {
    return EnvelopeGeometry(shape_, width() / PixelsPerTwipX(), height() / PixelsPerTwipY());
}

QPointF EnvelopeGraph::ToPixels(EnvelopeGeometry::Point twips) const {
    return {twips.x * PixelsPerTwipX(), twips.y * PixelsPerTwipY()};
}

EnvelopeGeometry::Point EnvelopeGraph::ToTwips(QPointF pixels) const {
    return {pixels.x() / PixelsPerTwipX(), pixels.y() / PixelsPerTwipY()};
}

QPointF EnvelopeGraph::AnchorPixel(int i) const {
    return ToPixels(Geometry().AnchorCentre(i));
}

void EnvelopeGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    // Lines running past the graph (a long envelope at a wide zoom) end at its edge.
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::Antialiasing);
    const EnvelopeGeometry geometry = Geometry();
    PaintGrid(painter, geometry);
    PaintCurve(painter, geometry);
    PaintAnchors(painter, geometry);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void EnvelopeGraph::PaintGrid(QPainter& painter, const EnvelopeGeometry& geometry) const {
    painter.setPen(QPen(kGrid, 1));
    const double left = ToPixels({geometry.X(0), 0}).x();
    for (int level : {0, 32, 96, 127}) {
        const double y = ToPixels({0, geometry.Y(level)}).y();
        painter.drawLine(QPointF(left, y), QPointF(width(), y));
    }
    const double top = ToPixels({0, geometry.Y(127)}).y();
    const double bottom = ToPixels({0, geometry.Y(0)}).y();
    // Time lines every 10 units, or every 20, 40... where that would crowd them.
    double step = kGridUnits * std::max(shape_.zoom, 1) * PixelsPerTwipX();
    while (step < kGridMinimumPixels)
        step *= 2;
    for (double x = left; x < width(); x += step)
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));

    const auto marker = geometry.MiddleMarker();
    painter.setPen(QPen(kMiddleMarker, 1, Qt::DotLine));
    painter.drawLine(ToPixels(marker.from), ToPixels(marker.to));
}

void EnvelopeGraph::PaintCurve(QPainter& painter, const EnvelopeGeometry& geometry) const {
    if (geometry.StageCount() == 0)
        return;
    QPainterPath curve(ToPixels(geometry.Stage(0).from));
    for (int i = 0; i < geometry.StageCount(); ++i) {
        curve.lineTo(ToPixels(geometry.Stage(i).from));
        curve.lineTo(ToPixels(geometry.Stage(i).to));
    }
    const auto& hold = geometry.SustainHold();
    if (hold)
        curve.lineTo(std::max(curve.currentPosition().x(), ToPixels(hold->to).x()),
                     curve.currentPosition().y());
    QPainterPath area = curve;
    const double floor = ToPixels({0, geometry.Y(0)}).y();
    area.lineTo(area.currentPosition().x(), floor);
    area.lineTo(ToPixels(geometry.Stage(0).from).x(), floor);
    area.closeSubpath();
    painter.fillPath(area, kFill);

    QPen solid(kCurve, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(solid);
    for (int i = 0; i < geometry.StageCount(); ++i)
        painter.drawLine(ToPixels(geometry.Stage(i).from), ToPixels(geometry.Stage(i).to));
    if (hold) {
        QPen dotted(kCurve, 2, Qt::DotLine, Qt::FlatCap);
        painter.setPen(dotted);
        painter.drawLine(ToPixels(hold->from), ToPixels(hold->to));
    }
}

void EnvelopeGraph::PaintAnchors(QPainter& painter, const EnvelopeGeometry& geometry) const {
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.75));
    painter.setFont(small);
    const QSizeF size(EnvelopeGeometry::kAnchorSize * PixelsPerTwipX(),
                      EnvelopeGeometry::kAnchorSize * PixelsPerTwipY());
    for (int i = 0; i < geometry.StageCount(); ++i) {
        const QPointF centre = ToPixels(geometry.AnchorCentre(i));
        const QRectF box(centre - QPointF(size.width() / 2, size.height() / 2), size);
        painter.setPen(QPen(i == dragged_ ? kCurve : kAnchorBorder, i == dragged_ ? 2 : 1));
        painter.setBrush(i == dragged_ ? kAnchor.lighter(108) : kAnchor);
        painter.drawRoundedRect(box, 2, 2);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, QString::number(i + 1));
    }
}

void EnvelopeGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragged_ >= 0)
        return;
    const auto at = ToTwips(event->position());
    const EnvelopeGeometry geometry = Geometry();
    const int point = geometry.AnchorAt(at, kGrabSlack);
    if (point < 0)
        return;
    const auto centre = geometry.AnchorCentre(point);
    grabOffset_ = {at.x - centre.x, at.y - centre.y};
    dragged_ = point;
    setCursor(Qt::ClosedHandCursor);
    update();
    emit DragStarted(point);
}

void EnvelopeGraph::mouseMoveEvent(QMouseEvent* event) {
    const auto at = ToTwips(event->position());
    if (dragged_ < 0) {
        const bool over = Geometry().AnchorAt(at, kGrabSlack) >= 0;
        setCursor(over ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // The button came up where this graph could not see it.
        EndDrag();
        return;
    }
    const auto values = Geometry().DragTo(dragged_, {at.x - grabOffset_.x, at.y - grabOffset_.y});
    emit DragMoved(dragged_, values.level, values.rate);
}

void EnvelopeGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        EndDrag();
}

void EnvelopeGraph::hideEvent(QHideEvent* event) {
    EndDrag();
    QWidget::hideEvent(event);
}

bool EnvelopeGraph::event(QEvent* event) {
    // Another window took the mouse and keyboard: the button's release will not come here.
    if (event->type() == QEvent::WindowDeactivate)
        EndDrag();
    return QWidget::event(event);
}

void EnvelopeGraph::EndDrag() {
    if (dragged_ < 0)
        return;
    const int point = dragged_;
    dragged_ = -1;
    unsetCursor();
    update();
    emit DragFinished(point);
}
