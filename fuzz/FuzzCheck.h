#pragma once
// What a fuzz target does when something that must always hold does not: stop at once, so that
// the fuzzer keeps the input.

#include <cstdlib>

namespace formalys::fuzzing {

inline void check(bool condition)
{
    if (!condition) { std::abort(); }
}

} // namespace formalys::fuzzing
