#pragma once

// Where the node editor puts a node's frame (its caption is NodeCaption of the node table).
namespace NodeFrameLayout {
// The top of the frame of the node at position 0.. inside the node container, in twips: the
// frames stand in node-position order, whatever their node numbers.
int TopTwips(int position);
inline constexpr int kLeftTwips = 120;
inline constexpr int kWidthTwips = 6495;
inline constexpr int kRowTwips = 380;
}  // namespace NodeFrameLayout
