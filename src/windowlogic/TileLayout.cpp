#include "windowlogic/TileLayout.h"

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
