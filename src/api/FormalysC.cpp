// The C interface over SHPDF and the windowless generation. Every function runs its work inside
// `guarded`, so that no exception crosses into the host, and records why a call failed for
// formalys_last_error. The warnings a call records are its failure's details; they are taken at
// every call, so that a long-running host does not pile them up.
#include "api/HostCallbackOf.h"
#include "api/Operations.h"
#include "assistant/WindowlessRun.h"
#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "formalys/SHPDF.h"
#include "formalys/formalys.h"
#include "text/Letters.h"

#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

struct FormalysSHPDF
{
    formalys::SHPDF object;
    std::string theData; // the text last handed out by formalys_shpdf_get_thedata
};

namespace {

using namespace formalys;

constexpr int done = 0;
constexpr int failed = 1;
constexpr int badArguments = 2;

thread_local std::string lastError;

// Joins `reason` and the warnings the call recorded.
std::string describe(std::string reason, const std::vector<std::string>& warnings)
{
    for (const std::string& warning : warnings) {
        if (reason.find(warning) == std::string::npos) { // said once
            reason += reason.empty() ? warning : " ; " + text::uncapitalized(warning);
        }
    }
    return reason;
}

// Whether the host's developer asked for the details behind the French reasons
// (FORMALYS_DEBUG=1): the libraries' own words, in English.
bool debugging()
{
    const char* debug = std::getenv("FORMALYS_DEBUG");
    return debug != nullptr && std::string(debug) == "1";
}

// Runs `work`, which returns the empty text when it succeeded, or a failure reason in French.
template <typename Work> int guarded(Work&& work)
{
    lastError.clear();
    std::string failure;
    bool succeeded = false;
    try {
        failure = work();
        succeeded = failure.empty();
    } catch (const std::exception& e) {
        failure = "erreur interne de Formalys";
        reportDetail(e.what());
    } catch (...) {
        failure = "erreur interne de Formalys";
    }
    const auto warnings = takeWarnings();
    const auto details = takeDetails();
    if (succeeded) {
        return done;
    }
    lastError = describe(failure, warnings);
    if (debugging()) {
        for (const std::string& detail : details) {
            lastError += " [détail : " + detail + "]";
        }
    }
    return failed;
}

int refuse(const char* reason)
{
    lastError = reason;
    return badArguments;
}

// Runs `work` on `object`, refusing a NULL object.
template <typename Work> int onObject(FormalysSHPDF* object, Work&& work)
{
    return object == nullptr ? refuse("aucun objet Formalys") : guarded(std::forward<Work>(work));
}

std::string orEmpty(const char* value)
{
    return value == nullptr ? std::string() : std::string(value);
}

// The reason a window did not open, from the warnings the attempt recorded.
std::string noWindow(bool shown)
{
    return shown ? std::string() : std::string("la fenêtre n'a pas pu s'ouvrir");
}

} // namespace

extern "C" {

FormalysSHPDF* formalys_shpdf_new(void)
{
    lastError.clear();
    try {
        return new FormalysSHPDF;
    } catch (const std::exception& e) { // memory is short
        lastError = std::string("erreur interne de Formalys : ") + e.what();
        return nullptr;
    }
}

void formalys_shpdf_free(FormalysSHPDF* object)
{
    delete object;
}

const char* formalys_shpdf_get_thedata(const FormalysSHPDF* object)
{
    if (object == nullptr) {
        return "";
    }
    auto* self = const_cast<FormalysSHPDF*>(object);
    self->theData = self->object.TheData();
    return self->theData.c_str();
}

int formalys_shpdf_set_thedata(FormalysSHPDF* object, const char* value)
{
    return onObject(object, [&] {
        object->object.setTheData(orEmpty(value));
        return std::string();
    });
}

int formalys_cerfa_init(FormalysSHPDF* object, const char* apath, int16_t alone,
                        FormalysHostCallback callback)
{
    return onObject(object, [&] {
        object->object.CerfaInit(orEmpty(apath), alone, api::hostCallbackOf(callback));
        return std::string();
    });
}

int formalys_cerfa_assistant(FormalysSHPDF* object)
{
    return onObject(object, [] { return operations::showAssistant(true); });
}

int formalys_cerfa_quit(FormalysSHPDF* object)
{
    return onObject(object, [&] {
        object->object.CerfaQuit();
        return std::string();
    });
}

int formalys_cerfa_menu_patient(FormalysSHPDF* object)
{
    return onObject(object, [] { return operations::showAssistant(false); });
}

int formalys_cerfa_about(FormalysSHPDF* object)
{
    return onObject(object, [&] { return noWindow(operations::showAbout(object->object)); });
}

int formalys_cerfa_test(FormalysSHPDF* object)
{
    return onObject(object, [&] {
        object->object.CerfaTest();
        return std::string();
    });
}

int formalys_cerfa_2035(FormalysSHPDF* object)
{
    return onObject(object, [] { return operations::fill2035(); });
}

int formalys_generate(const char* dir, const char* form, const char* sheet, const char* out)
{
    const std::int16_t index = assistant::formIndex(orEmpty(form));
    if (index < 0) {
        lastError = form == nullptr ? "aucun formulaire n'est donné"
                                    : "« " + orEmpty(form) + " » n'est pas un formulaire";
        lastError += " : MT, DEPAT, PIRES ou DSI sont attendus";
        return badArguments;
    }
    return guarded([&] {
        if (dir != nullptr) {
            ComponentState::instance().setApplicationDirectory(dir);
        }
        const auto optional = [](const char* value) {
            return value == nullptr ? std::nullopt : std::optional<std::string>(value);
        };
        return assistant::generateWithoutWindow(index, optional(sheet), optional(out)).failure;
    });
}

const char* formalys_last_error(void)
{
    return lastError.c_str();
}

int formalys_process_events(int32_t milliseconds)
{
    return guarded([&] {
        return ComponentState::instance().windows->processEvents(milliseconds)
                   ? std::string()
                   : std::string("aucune fenêtre à servir");
    });
}

} // extern "C"
