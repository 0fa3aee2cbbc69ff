#include "grid/GridLayout.h"

#include <algorithm>

namespace formalys::grid {

GridPlacement placeGrid(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t gridTop,
                        std::int32_t gridLeft, std::int32_t gridWidth)
{
    GridPlacement placement{windowWidth, gridLeft, std::max(0, windowHeight - (gridTop + 400))};
    if (gridWidth > windowWidth) {
        placement.windowWidth = gridWidth;
    } else {
        placement.gridLeft = (windowWidth - gridWidth) / 2;
    }
    return placement;
}

} // namespace formalys::grid
