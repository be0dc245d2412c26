#pragma once

#include <QScrollBar>

// The scroll bar of a value row, made to behave as a value control: Left and Down lower the
// value, Right and Up raise it, Page Up and Page Down add and take the page step, Home and End
// go to the minimum and maximum; the mouse wheel moves one small step a notch (only while the
// bar has the focus, see WheelGuard); and the bar shows a focus mark while it has the focus.
class ValueScrollBar : public QScrollBar {
    Q_OBJECT

  public:
    explicit ValueScrollBar(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Wheel rotation not yet turned into steps (a notch is 120).
    int wheelRest_ = 0;
};
