#pragma once
// System errors told to the user: the French wording of an errno value, for the warnings that
// explain why a file could not be read or written.

#include <string>

namespace formalys::files {

// "accès refusé", "le disque est plein", … ; an error without a French wording is given by its
// number.
std::string frenchSystemError(int errorNumber);

// Why `path` could not be written, in the words of a user: "le dossier « … » n'existe pas",
// "droits insuffisants pour écrire dans « … »", "le disque est plein", …
std::string frenchWriteError(int errorNumber, const std::string& path);

} // namespace formalys::files
