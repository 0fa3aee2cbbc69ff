#include "assistant/PauseFile.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "files/FileSystem.h"
#include "text/Letters.h"

#include <cstdio>

namespace formalys::assistant {

namespace {

// A file name holds at most 255 bytes on the usual Linux file systems; ".ss" takes three.
constexpr std::size_t longestPatientNumber = 252;

bool canNameAFile(std::string_view number)
{
    return !number.empty() && number != "." && number != ".." &&
           number.find('/') == std::string_view::npos &&
           number.find('\0') == std::string_view::npos && number.size() <= longestPatientNumber;
}

} // namespace

std::optional<std::string> pauseFilePath(const std::string& patientNumber)
{
    const std::string_view number = text::strip(patientNumber);
    if (!canNameAFile(number)) {
        if (number.empty()) {
            return std::nullopt; // no patient number: nothing to name, nothing to say
        }
        reportWarning("le numéro de patient « " + std::string(number) +
                      " » ne peut pas nommer un fichier de pause : aucun fichier n'est lu, "
                      "écrit ou supprimé pour lui");
        return std::nullopt;
    }
    return files::joinPath(ComponentState::instance().applicationDirectory,
                           std::string(number) + ".ss");
}

bool pauseFileExists(const std::string& patientNumber)
{
    const auto path = pauseFilePath(patientNumber);
    return path && files::isRegularFile(*path);
}

void deletePauseFile(const std::string& patientNumber)
{
    const auto path = pauseFilePath(patientNumber);
    if (path && files::isRegularFile(*path) && std::remove(path->c_str()) != 0) {
        reportWarning("le fichier de pause " + *path + " n'a pas pu être supprimé");
    }
}

} // namespace formalys::assistant
