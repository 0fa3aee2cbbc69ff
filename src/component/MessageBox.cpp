#include "component/MessageBox.h"

#include <iostream>

namespace formalys {

HeadlessMessageBox::HeadlessMessageBox() : stream_(&std::cerr) {}

void HeadlessMessageBox::show(const std::string& text, const std::string& title, Icon icon)
{
    const char* kind = icon == Icon::Critical ? "erreur" : "information";
    *stream_ << '[' << kind << "] " << title << " : " << text << std::endl;
}

} // namespace formalys
