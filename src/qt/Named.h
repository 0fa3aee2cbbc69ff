#pragma once
// Every control of a window has an object name, its name in the system, and an accessible name in
// French, so that tests find it and screen readers tell it apart.

#include <QString>

namespace formalys::qt {

template <typename Control>
Control* named(Control* control, const char* name, const char* accessibleName)
{
    control->setObjectName(name);
    control->setAccessibleName(QString::fromUtf8(accessibleName));
    return control;
}

} // namespace formalys::qt
