#pragma once
// One form of the assistant run without showing it, for the command line and for hosts that
// prepare documents in batches: the fill as the form list runs it, then, for generation, the
// user's corrected sheet when there is one, and generation as its button runs it. Paused work is
// left alone. The application directory is the component's.

#include "assistant/Assistant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace formalys::assistant {

// The position of a form in the form list from its short name (MT, DEPAT, PIRES, DSI) in any
// letter case; -1 when it names none.
std::int16_t formIndex(std::string_view form);

struct WindowlessFill
{
    Assistant* window = nullptr; // with the form's fill done; nullptr when nothing was loaded
    std::string failure;         // why, in French, when `window` is nullptr
};

// The form's fill, as the form list runs it. No message box is shown: a missing template is the
// failure, with the very text the message would have shown.
WindowlessFill fillWithoutWindow(std::int16_t form);

struct WindowlessGeneration
{
    bool saved = false;
    std::string outputPath; // the path the document was written to, or should have been
    std::string failure;    // why nothing was written, in French
};

// No message box is shown; a failure says why in French. With `output`, the caller is the host
// that names the document: RESULTAT/FICHIER receives `output`, as the host's answer, and the
// document is saved there. Without it, the host callback given to CerfaInit names the document
// through the handshake (or the default path is used).
// No user watches this road, so the exchange file is taken as it stands when the call starts
// (ExchangeReading::Snapshot): read once, the operation's own writes applied to that snapshot and
// written back in one durable replacement before the host is asked for a path. With
// ExchangeReading::EachRead the file is read at each read, as on the roads of SHPDF; both leave
// the same files.
enum class ExchangeReading
{
    Snapshot,
    EachRead,
};
WindowlessGeneration generateWithoutWindow(std::int16_t form,
                                           const std::optional<std::string>& sheet,
                                           const std::optional<std::string>& output,
                                           ExchangeReading reading = ExchangeReading::Snapshot);

} // namespace formalys::assistant
