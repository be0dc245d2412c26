#include "ui/widgets/NumeralIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace {
QIcon Draw(int n) {
    constexpr int kSize = 32;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 70, 120), 2));
    painter.setBrush(QColor(225, 235, 250));
    painter.drawRoundedRect(QRectF(1, 1, kSize - 2, kSize - 2), 5, 5);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(n < 10 ? 22 : 18);
    painter.setFont(font);
    painter.setPen(QColor(20, 40, 80));
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QString::number(n));
    return QIcon(picture);
}
}  // namespace

QIcon NumeralIcons::For(int n) {
    if (n < 0 || n >= kCount)
        return {};
    // Drawn once; the pictures are shared by every list that shows them.
    static std::array<QIcon, kCount> icons;
    if (icons[n].isNull())
        icons[n] = Draw(n);
    return icons[n];
}
