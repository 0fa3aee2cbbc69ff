// Fuzzes the grid-file reader with any bytes as a file's content. Checks what must always hold: a
// text is either accepted as a sheet or refused with a reason, and an accepted sheet, written
// again, reads back identical (the round trip of a pause file). The keys of the format are in
// grid.dict: build/fuzz/fuzz/grid_fuzzer -dict=fuzz/grid.dict CORPUS_COPY fuzz/corpus/grid
#include "FuzzCheck.h"
#include "grid/GridFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using formalys::fuzzing::check;
using namespace formalys::grid;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const GridLoad load = gridFromText(input);
    if (!load.accepted()) {
        check(!load.reason.empty());
        return 0;
    }
    check(load.reason.empty());
    const GridLoad again = gridFromText(gridFileText(*load.sheet));
    check(again.accepted());
    check(*again.sheet == *load.sheet);
    return 0;
}
