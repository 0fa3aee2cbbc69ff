#pragma once
// What the window shows of a grid. The procedures hide and show the grids as they are told; the Qt
// view mirrors this state. The original control also took a few display settings when the mapping
// grid was shown; here the view always shows a sheet as its file lays it out, so only the
// visibility remains.

namespace formalys::assistant {

struct GridView
{
    bool visible = false;
};

} // namespace formalys::assistant
