#include "ui/app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {
constexpr int kSize = 24;

void DrawPage(QPainter& p) {
    QPolygonF page({{5, 2}, {15, 2}, {19, 6}, {19, 22}, {5, 22}});
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF({{15, 2}, {15, 6}, {19, 6}}));
}

void DrawFolder(QPainter& p) {
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {21, 8}, {21, 20}, {2, 20}}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({{2, 20}, {5, 11}, {23, 11}, {21, 20}}));
}

void DrawDisk(QPainter& p) {
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(7, 3, 10, 7);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(6, 14, 12, 7);
}

void DrawList(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(3, 3, 18, 18);
    for (int y = 7; y <= 17; y += 5) {
        p.drawEllipse(QPointF(7, y), 1.5, 1.5);
        p.drawLine(10, y, 18, y);
    }
}

void DrawBanks(QPainter& p) {
    p.setBrush(QColor(120, 170, 220));
    for (int i = 0; i < 3; ++i)
        p.drawRect(3 + 2 * i, 3 + 5 * i, 14, 7);
}

void DrawKeys(QPainter& p) {
    p.setBrush(Qt::white);
    for (int x = 2; x < 22; x += 5)
        p.drawRect(x, 4, 5, 16);
    p.setBrush(Qt::black);
    for (int x : {5, 10, 15})
        p.drawRect(x, 4, 3, 9);
}

void DrawNodes(QPainter& p) {
    p.drawLine(6, 6, 12, 18);
    p.drawLine(18, 6, 12, 18);
    p.setBrush(QColor(220, 120, 60));
    for (QPointF c : {QPointF(6, 6), QPointF(18, 6), QPointF(12, 18)})
        p.drawEllipse(c, 3.5, 3.5);
}

// Books on a shelf: the library of sound files.
void DrawShelf(QPainter& p) {
    const QColor spines[] = {QColor(160, 60, 50), QColor(60, 100, 160), QColor(70, 140, 80),
                             QColor(200, 160, 60)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(spines[i]);
        p.drawRect(
            QRectF(3 + 4.5 * i, i == 3 ? 7 : 4 + i % 2 * 2, 4, i == 3 ? 13 : 16 - i % 2 * 2));
    }
    p.drawLine(1, 21, 23, 21);
}

void DrawWave(QPainter& p) {
    QPainterPath wave;
    wave.moveTo(2, 12);
    for (int x = 2; x <= 22; ++x)
        wave.lineTo(x, 12 - 7 * std::sin((x - 2) * 3.14159 / 10));
    p.drawPath(wave);
}

void DrawMatrix(QPainter& p) {
    p.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawRect(3 + 6 * col, 3 + 6 * row, 5, 5);
    }
    p.setBrush(QColor(60, 160, 90));
    p.drawRect(9, 9, 5, 5);
}

// A die: a variation of chance.
void DrawDie(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 3, 3);
    p.setBrush(QColor(40, 40, 40));
    for (QPointF c :
         {QPointF(8, 8), QPointF(12, 12), QPointF(16, 16), QPointF(16, 8), QPointF(8, 16)})
        p.drawEllipse(c, 1.6, 1.6);
}

void DrawEnvelope(QPainter& p) {
    p.drawPolyline(QPolygonF({{2, 21}, {7, 4}, {12, 11}, {17, 11}, {22, 21}}));
}
}  // namespace

QIcon ToolbarIcons::For(const QString& key) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.2));
    if (key == QLatin1String("New")) {
        DrawPage(painter);
    } else if (key == QLatin1String("Open")) {
        DrawFolder(painter);
    } else if (key == QLatin1String("Save")) {
        DrawDisk(painter);
    } else if (key == QLatin1String("Sounds")) {
        DrawList(painter);
    } else if (key == QLatin1String("Groups")) {
        DrawBanks(painter);
    } else if (key == QLatin1String("Audition")) {
        DrawKeys(painter);
    } else if (key == QLatin1String("Library")) {
        DrawShelf(painter);
    } else if (key == QLatin1String("Nodes")) {
        DrawNodes(painter);
    } else if (key == QLatin1String("Lfo")) {
        DrawWave(painter);
    } else if (key == QLatin1String("Modulation")) {
        DrawMatrix(painter);
    } else if (key == QLatin1String("Envelopes")) {
        DrawEnvelope(painter);
    } else if (key == QLatin1String("Vary")) {
        DrawDie(painter);
    }
    painter.end();
    return QIcon(pixmap);
}
