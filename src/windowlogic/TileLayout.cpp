#include "windowlogic/TileLayout.h"

#include <algorithm>
#include <cmath>

std::vector<QRect> TileLayout::Tile(int count, const QRect& area, bool horizontally) {
    std::vector<QRect> rects;
    if (count <= 0)
        return rects;
    const int span = horizontally ? area.height() : area.width();
    const int step = span / count;
    for (int i = 0; i < count; ++i) {
        const int start = i * step;
        const int size = i == count - 1 ? span - start : step;
        if (horizontally) {
            rects.emplace_back(area.left(), area.top() + start, area.width(), size);
        } else {
            rects.emplace_back(area.left() + start, area.top(), size, area.height());
        }
    }
    return rects;
}

std::vector<QRect> TileLayout::Grid(const std::vector<QSize>& sizes, const QRect& area) {
    std::vector<QRect> rects;
    const int count = static_cast<int>(sizes.size());
    if (count == 0)
        return rects;
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = area.width() / columns;
    const int cellHeight = area.height() / rows;
    for (int i = 0; i < count; ++i) {
        const QSize size = sizes[static_cast<size_t>(i)].boundedTo({cellWidth, cellHeight});
        rects.emplace_back(QPoint(area.left() + (i % columns) * cellWidth,
                                  area.top() + (i / columns) * cellHeight),
                           size);
    }
    return rects;
}

QRect TileLayout::Fitted(const QRect& place, const QRect& area) {
    if (area.isEmpty())
        return place;
    const QSize size = place.size().boundedTo(area.size()).expandedTo({1, 1});
    const int x = std::clamp(place.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(place.y(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(x, y), size};
}
