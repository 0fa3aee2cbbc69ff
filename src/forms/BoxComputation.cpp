#include "forms/BoxComputation.h"

#include "forms/FieldMap.h"

namespace formalys::forms {

std::string PDF_Calc_One(const std::string& name)
{
    static const FieldMap boxes(mtBoxRows());
    return boxes.valueFor(name);
}

} // namespace formalys::forms
