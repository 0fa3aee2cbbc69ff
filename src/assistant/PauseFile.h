#pragma once
// The pause file of a patient: the mapping grid saved by a pause, "<application directory>/<patient
// number>.ss". The patient number comes from the host's exchange file; one that could name a file
// elsewhere (a "/", "." or "..", a NUL, more bytes than a file name holds) names no pause file, so
// no file outside the application directory is ever written or deleted because of it.

#include <optional>
#include <string>

namespace formalys::assistant {

// The pause file of `patientNumber` (stripped of blanks first), or nothing when it cannot name one;
// a refused number is reported as a warning.
std::optional<std::string> pauseFilePath(const std::string& patientNumber);

// Deletes the pause file of `patientNumber` if it exists as a regular file.
void deletePauseFile(const std::string& patientNumber);

// Whether the pause file of `patientNumber` exists as a regular file.
bool pauseFileExists(const std::string& patientNumber);

} // namespace formalys::assistant
