#pragma once
// The layout rule of the assistant window, in twips (1/1440 inch), the unit of every window and
// control measure of the assistant: the mapping grid fills the height below its top, keeping 400
// twips under it, and it is centred in the window, or widens the window when it is wider.

#include <cstdint>

namespace formalys::grid {

// 1440 twips to the inch at 96 pixels to the inch.
inline constexpr std::int32_t twipsPerPixel = 15;

struct GridPlacement
{
    std::int32_t windowWidth; // the window's width, widened to the grid's when the grid is wider
    std::int32_t gridLeft;    // the grid's left edge: centred, or as it was when the grid is wider
    std::int32_t gridHeight;  // window height - (grid top + 400); 0 for a window too low for that
};

// Applied whenever the window is resized, unless it is minimised.
GridPlacement placeGrid(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t gridTop,
                        std::int32_t gridLeft, std::int32_t gridWidth);

} // namespace formalys::grid
