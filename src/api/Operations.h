#pragma once
// Operations of SHPDF with their outcome. SHPDF's members run them for C++ hosts, which are told
// nothing; the C interface runs the same ones and reports the outcome to its host.

#include <string>

namespace formalys {
class SHPDF;
}

namespace formalys::operations {

// The assistant window, modally (CerfaAssistant) or not (CerfaMenuPatient). Returns why it went
// wrong, in French: no window could be shown (the cause is a warning), or, modally, the user
// closed the window after a document that could not be saved. Empty when it went well.
std::string showAssistant(bool modal);

// The about window (CerfaAbout): once it has gone, `object`'s TheData reads "Yes My Friend".
// False when it could not be shown.
bool showAbout(SHPDF& object);

// Form 2035 (Cerfa2035) into 2035Ok.pdf in the current directory; why nothing was written, in
// French, or the empty text.
std::string fill2035();

} // namespace formalys::operations
