#include "files/SystemError.h"

#include "files/FileSystem.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace formalys::files {

namespace {

constexpr std::pair<int, std::string_view> frenchWordings[] = {
    {ENOENT, "fichier ou dossier introuvable"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EISDIR, "c'est un dossier"},
    {EACCES, "accès refusé"},
    {EPERM, "opération non permise"},
    {EROFS, "le disque est en lecture seule"},
    {ENOSPC, "le disque est plein"},
#ifdef EDQUOT // POSIX's: no quota error on Windows
    {EDQUOT, "le quota de disque est dépassé"},
#endif
    {ENAMETOOLONG, "le chemin est trop long"},
    {ELOOP, "trop de liens symboliques dans le chemin"},
    {EIO, "erreur d'entrée-sortie du disque"},
    {EBUSY, "le fichier est ouvert dans un autre programme"},
};

} // namespace

std::string frenchSystemError(int errorNumber)
{
    for (const auto& [number, wording] : frenchWordings) {
        if (number == errorNumber) {
            return std::string(wording);
        }
    }
    return "erreur système " + std::to_string(errorNumber);
}

std::string frenchWriteError(int errorNumber, const std::string& path)
{
    const std::string directory = "« " + parentDirectory(path) + " »";
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "le dossier " + directory + " n'existe pas";
    case EACCES:
    case EPERM:
        return "droits insuffisants pour écrire dans " + directory;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "le disque est plein";
    case EBUSY: // on Windows, a document still shown by a viewer cannot be replaced
        return "le fichier « " + path + " » est ouvert dans un autre programme : fermez-le, puis "
               "recommencez";
    default:
        return frenchSystemError(errorNumber);
    }
}

} // namespace formalys::files
