#pragma once

#include <QWidget>

#include "windowlogic/EnvelopeGeometry.h"

// The envelope drawn as a curve: one line per stage, the sustain hold dotted, a dotted marker
// halfway up the level range and a numbered anchor on every point. The geometry comes in twips
// from EnvelopeGeometry at the graph's own size; this widget only scales and paints it.
//
// An anchor is dragged with the left button: every move reports the level and rate that put
// the anchor under the pointer (where it was grabbed), and the drag's end is reported once,
// however it ends: the button coming up, EndDrag, the graph being hidden or its window losing
// the mouse.
class EnvelopeGraph : public QWidget {
    Q_OBJECT

  public:
    // The graph area's designed size.
    static constexpr int kWidthTwips = 5535;
    static constexpr int kHeightTwips = 2175;

    explicit EnvelopeGraph(QWidget* parent = nullptr);

    void SetShape(const EnvelopeGeometry::Shape& shape);
    const EnvelopeGeometry::Shape& Shape() const { return shape_; }
    EnvelopeGeometry Geometry() const;
    // The anchor being dragged, or -1.
    int DraggedPoint() const { return dragged_; }
    // Where point i's anchor is drawn, in pixels of this widget.
    QPointF AnchorPixel(int i) const;
    // Ends a drag in progress; DragFinished is reported.
    void EndDrag();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void DragStarted(int point);
    void DragMoved(int point, int level, int rate);
    void DragFinished(int point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

  private:
    double PixelsPerTwipX() const;
    double PixelsPerTwipY() const;
    QPointF ToPixels(EnvelopeGeometry::Point twips) const;
    EnvelopeGeometry::Point ToTwips(QPointF pixels) const;
    void PaintGrid(class QPainter& painter, const EnvelopeGeometry& geometry) const;
    void PaintCurve(class QPainter& painter, const EnvelopeGeometry& geometry) const;
    void PaintAnchors(class QPainter& painter, const EnvelopeGeometry& geometry) const;

    EnvelopeGeometry::Shape shape_;
    int dragged_ = -1;
    // Pointer minus anchor centre when the anchor was grabbed, in twips.
    EnvelopeGeometry::Point grabOffset_;
};
