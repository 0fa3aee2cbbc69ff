#include "component/Clock.h"

#include <windows.h>

namespace formalys {

std::chrono::year_month_day SystemClock::today() const
{
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return std::chrono::year_month_day{std::chrono::year{local.wYear},
                                       std::chrono::month{local.wMonth},
                                       std::chrono::day{local.wDay}};
}

} // namespace formalys
