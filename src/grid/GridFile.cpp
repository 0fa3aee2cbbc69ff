#include "grid/GridFile.h"

#include "grid/ParsedGrids.h"
#include "component/Warnings.h"
#include "files/AtomicFile.h"
#include "files/FileIdentity.h"
#include "files/FileSystem.h"
#include "files/SystemError.h"

#include <cerrno>

namespace formalys::grid {

namespace {

GridLoad refused(const std::string& path, const std::string& reason)
{
    return {std::nullopt, "Impossible de charger la grille « " + path + " » : " + reason + "."};
}

std::string tooLarge(std::int64_t size)
{
    return "le fichier est trop volumineux (" + std::to_string(size) + " octets, au plus " +
           std::to_string(maximumGridFileSize) + ")";
}

} // namespace

GridLoad loadGridFile(const std::string& path)
{
    const files::FileStatus status = files::statusOf(path);
    if (status.kind == files::FileKind::Missing) {
        if (status.errorNumber == ENOENT || status.errorNumber == ENOTDIR) {
            return refused(path, "fichier introuvable");
        }
        return refused(path, "le fichier ne peut pas être lu (" +
                                 files::frenchSystemError(status.errorNumber) + ")");
    }
    if (status.kind != files::FileKind::Regular) {
        return refused(path, status.kind == files::FileKind::Directory
                                 ? "c'est un dossier, pas un fichier"
                                 : "ce n'est pas un fichier ordinaire");
    }
    if (status.size > maximumGridFileSize) {
        return refused(path, tooLarge(status.size));
    }
    // The same file as a load before: its sheet, without reading and parsing it again.
    const std::optional<files::FileIdentity> identity = files::FileIdentity::of(path);
    if (identity) {
        if (std::optional<Sheet> known = ParsedGrids::instance().find(*identity)) {
            return {std::move(known), {}};
        }
    }
    const auto content = files::readWholeFile(path);
    if (!content) {
        return refused(path,
                       "le fichier ne peut pas être lu (" + files::frenchSystemError(errno) + ")");
    }
    // The file may have grown between the size check and the read.
    if (static_cast<std::int64_t>(content->size()) > maximumGridFileSize) {
        return refused(path, tooLarge(static_cast<std::int64_t>(content->size())));
    }
    GridLoad load = gridFromText(*content);
    if (!load.accepted()) {
        return refused(path, load.reason);
    }
    if (identity) {
        ParsedGrids::instance().keep(*identity, *load.sheet);
    }
    return load;
}

bool LoadGridFile(Sheet& sheet, const std::string& path)
{
    GridLoad load = loadGridFile(path);
    if (!load.accepted()) {
        reportWarning(std::move(load.reason));
        return false;
    }
    sheet = std::move(*load.sheet);
    return true;
}

bool saveGridFile(const Sheet& sheet, const std::string& path)
{
    const files::WriteResult written = files::writeFileAtomically(path, gridFileText(sheet));
    if (!written.ok) {
        reportWarning("Impossible d'enregistrer la grille dans « " + path +
                      " » : " + files::frenchSystemError(written.errorNumber) + ".");
        return false;
    }
    return true;
}

} // namespace formalys::grid
