#include "component/MessageBox.h"

#include <cstdio>

namespace formalys {

void HeadlessMessageBox::show(const std::string& text, const std::string& title, Icon icon)
{
    const char* kind = icon == Icon::Critical ? "erreur" : "information";
    std::fprintf(stderr, "[%s] %s : %s\n", kind, title.c_str(), text.c_str());
}

} // namespace formalys
