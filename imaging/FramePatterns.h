#pragma once
// The two 8 x 8 fill patterns of the frame choices "Stars" and "Dots", rows from the top,
// colours as 0x00BBGGRR. They are tiled from the canvas origin.

#include <array>
#include <cstdint>

using FramePattern = std::array<std::array<uint32_t, 8>, 8>;

const FramePattern& StarsPattern();
const FramePattern& DotsPattern();
