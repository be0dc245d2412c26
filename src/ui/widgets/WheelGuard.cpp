#include "ui/widgets/WheelGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {
class WheelFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

WheelFilter& Filter() {
    static auto* filter = new WheelFilter(QCoreApplication::instance());
    return *filter;
}
}  // namespace

void IgnoreWheelUnlessFocused(QWidget& widget) {
    widget.setFocusPolicy(Qt::StrongFocus);
    widget.installEventFilter(&Filter());
}
