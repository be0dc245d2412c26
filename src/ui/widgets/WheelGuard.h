#pragma once

class QWidget;

// Lists and scroll bars that do not have the focus ignore the mouse wheel, so scrolling over a
// window never changes a value by accident. The widget also stops taking the focus by wheel.
void IgnoreWheelUnlessFocused(QWidget& widget);
