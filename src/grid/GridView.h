#pragma once
// What the window shows of a grid: whether it is visible. The procedures hide and show the grids as
// they are told; the Qt view mirrors this state. The view always shows a sheet as its grid file
// lays it out, so visibility is the only display state the procedures set.

namespace formalys::grid {

struct GridView
{
    bool visible = false;
};

} // namespace formalys::grid
