#include "windowlogic/NodeFrameLayout.h"

namespace NodeFrameLayout {
namespace {
constexpr int kFirstTopTwips = 480;
}  // namespace

int TopTwips(int position) {
    return kFirstTopTwips + kRowTwips * position;
}
}  // namespace NodeFrameLayout
