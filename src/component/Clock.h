#pragma once
// Today's date, from a clock that tests can replace.

#include <chrono>
#include <string>

namespace formalys {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::chrono::year_month_day today() const = 0;
};

// The current local date of the system.
class SystemClock final : public Clock
{
public:
    std::chrono::year_month_day today() const override;
};

// Always the same date.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(std::chrono::year_month_day date) : date_(date) {}
    std::chrono::year_month_day today() const override { return date_; }

private:
    std::chrono::year_month_day date_;
};

// A date as "dd/mm/yyyy": two-digit day and month, four-digit year (5 March 2008 → 05/03/2008).
std::string formatDate(std::chrono::year_month_day date);

} // namespace formalys
