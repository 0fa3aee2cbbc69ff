#pragma once
// Check boxes and radio buttons. Their "on" state has no fixed name: files use /Yes, /On, /1,
// /Oui, accented names, … so it is read from each widget's normal appearances (/AP /N: any key
// but /Off). The state goes on the field (/V) and on each of its widgets (/AS).

#include "pdf/ChangeLog.h"
#include "pdf/FormField.h"

#include <string>
#include <string_view>
#include <vector>

namespace formalys::pdf {

// The on states of `field`'s widgets ("/Oui", …), in widget order, each once.
std::vector<std::string> onStates(const FormField& field);

// Switches `field`: "" or "Off" turns it off; "X" selects the first on state; the name of an on
// state without its slash ("Oui") selects that one. Returns false and changes nothing for any
// other value, or when the field has no on state to select. The changes go through `changes`.
bool setButtonState(const FormField& field, std::string_view value, ChangeLog& changes);

} // namespace formalys::pdf
