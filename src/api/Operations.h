#pragma once
// Operations of SHPDF with their outcome. SHPDF's members run them for C++ hosts, which are told
// nothing; the C interface runs the same ones and reports the outcome to its host.

namespace formalys {
class SHPDF;
}

namespace formalys::operations {

// The assistant window, modally (CerfaAssistant) or not (CerfaMenuPatient); false when no window
// could be shown (the reason is a warning).
bool showAssistant(bool modal);

// The about window (CerfaAbout): once it has gone, `object`'s TheData reads "Yes My Friend".
// False when it could not be shown.
bool showAbout(SHPDF& object);

// Form 2035 (Cerfa2035) into 2035Ok.pdf in the current directory; false when nothing was written.
bool fill2035();

} // namespace formalys::operations
