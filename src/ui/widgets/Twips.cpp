#include "ui/widgets/Twips.h"

#include <QWidget>
#include <cmath>

namespace Twips {
namespace {
int Scale(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}
}  // namespace

int ToPixelsX(int twips, const QWidget& widget) {
    return Scale(twips, widget.logicalDpiX(), kPerInch);
}

int ToPixelsY(int twips, const QWidget& widget) {
    return Scale(twips, widget.logicalDpiY(), kPerInch);
}

QPoint ToPixels(QPoint twips, const QWidget& widget) {
    return {ToPixelsX(twips.x(), widget), ToPixelsY(twips.y(), widget)};
}

QSize ToPixels(QSize twips, const QWidget& widget) {
    return {ToPixelsX(twips.width(), widget), ToPixelsY(twips.height(), widget)};
}

QRect ToPixels(const QRect& twips, const QWidget& widget) {
    return {ToPixels(twips.topLeft(), widget), ToPixels(twips.size(), widget)};
}

int FromPixelsX(int pixels, const QWidget& widget) {
    return Scale(pixels, kPerInch, widget.logicalDpiX());
}

int FromPixelsY(int pixels, const QWidget& widget) {
    return Scale(pixels, kPerInch, widget.logicalDpiY());
}
}  // namespace Twips
