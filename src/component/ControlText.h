#pragma once
// A control as every window library shows it: its name in the system, its text (empty for none)
// and its name for a screen reader, in French.

namespace formalys {

struct ControlText
{
    const char* name;
    const char* text;
    const char* accessibleName;
};

} // namespace formalys
