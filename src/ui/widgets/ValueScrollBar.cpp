#include "ui/widgets/ValueScrollBar.h"

#include <QPainter>
#include <QWheelEvent>

namespace {
constexpr int kNotch = 120;
}  // namespace

ValueScrollBar::ValueScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    // A scroll bar's keys move the view it scrolls; a value control's keys move its value.
    setInvertedControls(false);
}

void ValueScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void ValueScrollBar::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    wheelRest_ += delta.y() != 0 ? delta.y() : -delta.x();
    // Away from the user raises the value, one small step a notch.
    while (wheelRest_ >= kNotch) {
        wheelRest_ -= kNotch;
        triggerAction(SliderSingleStepAdd);
    }
    while (wheelRest_ <= -kNotch) {
        wheelRest_ += kNotch;
        triggerAction(SliderSingleStepSub);
    }
    event->accept();
}
