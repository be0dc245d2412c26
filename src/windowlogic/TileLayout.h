#pragma once

#include <QRect>
#include <vector>

// Where tiled child windows go: horizontally tiled windows lie one above the other across the
// whole width, vertically tiled ones stand side by side across the whole height. The last
// window takes what is left, so the area is covered without gaps.
class TileLayout {
  public:
    static std::vector<QRect> Tile(int count, const QRect& area, bool horizontally);
    // Windows side by side in a grid of nearly square cells over the area, row by row; each
    // keeps its own size where the cell is larger and is cut to the cell where it is smaller,
    // so none covers another.
    static std::vector<QRect> Grid(const std::vector<QSize>& sizes, const QRect& area);
    // A kept place brought inside the area: no larger than it, and moved in where it lay
    // outside (a smaller screen than the one it was kept on).
    static QRect Fitted(const QRect& place, const QRect& area);
};
