#pragma once
// `formalys 2035`: fills form 2035 from section [2035] of an application directory's exchange
// file; the document lands as "2035Ok.pdf" in the current directory.

#include <iosfwd>
#include <string>

namespace formalys::cli {

int runForm2035(const std::string& directory, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
