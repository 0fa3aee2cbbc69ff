#pragma once
// The handshake through which the host names the path of a filled document.

#include <string>

namespace formalys {

// Writes "OFF" into RESULTAT/FICHIER, calls the host callback with 1, 2, 3, 4, then re-reads
// RESULTAT/FICHIER until it holds anything but exactly "OFF" (letter case counts: "off" ends the
// wait), and returns what it holds: trimmed, at most 127 characters, " " for an empty value.
// The first read follows the callback at once; later reads are about 1 ms apart, so the wait
// costs almost no processor time. There is no time limit. Call it only when the component state
// holds a host callback.
std::string GetCallbackPDF();

// The same handshake, also telling how many reads it took (for the tests and the benchmarks), and
// refusing to go on when "OFF" cannot be written: RESULTAT/FICHIER would still hold the previous
// document's path, and the new document would be saved over it. Then the host is not called,
// `path` stays empty and `failure` says why, in French.
struct HostAnswer
{
    std::string path;
    int reads = 0;
    std::string failure;
};
HostAnswer askHostForPath();

} // namespace formalys
