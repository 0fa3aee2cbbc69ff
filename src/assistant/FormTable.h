#pragma once
// The four forms of the assistant, in the order of its form list: the entry's index is the form's
// index.

#include "forms/FieldMap.h"

#include <array>
#include <string>
#include <vector>

namespace formalys::assistant {

struct FormEntry
{
    const char* title;     // the text of the form list's entry
    const char* sourcePdf; // template base name: <dir>/<sourcePdf>.pdf and .cil
    const forms::FieldMap& (*map)();
};

inline const std::array<FormEntry, 4> formTable = {{
    {"Déclaration Médecin Traitant", "MT", &forms::mtMap},
    {"Demande d'Entente Préalable AT/MP", "DEPAT", &forms::depatMap},
    {"Protocole de Soins (PIRES)", "PIRES", &forms::piresMap},
    {"Démarche Soins Infirmiers (DSI)", "DSI", &forms::dsiMap},
}};

inline std::vector<std::string> formTitles()
{
    std::vector<std::string> titles;
    for (const FormEntry& form : formTable) {
        titles.emplace_back(form.title);
    }
    return titles;
}

} // namespace formalys::assistant
