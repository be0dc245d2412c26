#pragma once

#include <QRect>
#include <vector>

// Where tiled child windows go: horizontally tiled windows lie one above the other across the
// whole width, vertically tiled ones stand side by side across the whole height. The last
// window takes what is left, so the area is covered without gaps.
class TileLayout {
  public:
    static std::vector<QRect> Tile(int count, const QRect& area, bool horizontally);
};
