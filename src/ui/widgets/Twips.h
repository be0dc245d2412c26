#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Window geometry is designed in twips (1/1440 inch); these convert it to pixels at the
// logical resolution of the screen the widget is on.
namespace Twips {
constexpr int kPerInch = 1440;

int ToPixelsX(int twips, const QWidget& widget);
int ToPixelsY(int twips, const QWidget& widget);
QPoint ToPixels(QPoint twips, const QWidget& widget);
QSize ToPixels(QSize twips, const QWidget& widget);
QRect ToPixels(const QRect& twips, const QWidget& widget);
// Pixels back to twips (for pointer positions on drawn graphs).
int FromPixelsX(int pixels, const QWidget& widget);
int FromPixelsY(int pixels, const QWidget& widget);
}  // namespace Twips
