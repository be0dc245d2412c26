#pragma once

#include <string_view>

// Where the node editor puts a node's frame and what it calls it. The editor's captions are its
// own and differ in places from the model's node names.
namespace NodeFrameLayout {
// The frame caption of a node number 0..23, or "" outside.
std::string_view Caption(int nodeNumber);
// The top of the frame of the node at position 0.. inside the node container, in twips: the
// frames stand in node-position order, whatever their node numbers.
int TopTwips(int position);
inline constexpr int kLeftTwips = 120;
inline constexpr int kWidthTwips = 6495;
inline constexpr int kRowTwips = 380;
}  // namespace NodeFrameLayout
