/*
 * Formalys, the C interface: fills French administrative medical forms ("Cerfa" forms) for a
 * host application written in any language (C, Python through ctypes, Java through JNA, C#,
 * Free Pascal, ...). It is the stable surface of libformalys.so.1.
 *
 * Texts. Every text passed in or returned is UTF-8 and ends with a NUL byte. Texts passed in
 * stay the caller's: Formalys copies what it keeps. Texts returned stay Formalys's: a text
 * returned by formalys_shpdf_get_thedata is valid until the next call on the same object, the
 * text returned by formalys_last_error until the next call of any formalys_ function on the same
 * thread. Copy them to keep them.
 *
 * Threads. Call every function from the host's user-interface thread, the one that runs (or
 * would run) its windows; the component state is shared by the whole process and takes no lock.
 * formalys_last_error is per thread. The host callback is called on that same thread, during
 * the generation that needs it.
 *
 * Event loops. The windows need their events handled. A host that already runs a QApplication or
 * a GLib main loop (GTK) needs nothing more: the windows live in its loop. A modal operation
 * (formalys_cerfa_assistant, formalys_cerfa_about) handles the events itself until its window
 * has gone. A host with no such loop that opens the assistant modelessly
 * (formalys_cerfa_menu_patient) keeps the window alive by calling formalys_process_events
 * regularly, for instance every 50 ms from its own loop.
 *
 * Return codes: 0 done; 1 the operation failed (the reason, in French, in formalys_last_error,
 * and shown to the user where Formalys shows it); 2 bad arguments (a NULL object, an unknown
 * form). No exception and no abort of the window toolkit crosses this interface. Without a
 * display, an operation that opens a window shows nothing and returns 1.
 */
#ifndef FORMALYS_H
#define FORMALYS_H

#include <stdint.h>

#if defined(_WIN32) && defined(FORMALYS_BUILDING)
#define FORMALYS_EXPORT __declspec(dllexport)
#elif defined(_WIN32)
#define FORMALYS_EXPORT __declspec(dllimport)
#elif defined(__GNUC__)
#define FORMALYS_EXPORT __attribute__((visibility("default")))
#else
#define FORMALYS_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A Formalys component object (SHPDF). Every object of a process shares one component state;
   TheData is the only thing an object holds of its own. */
typedef struct FormalysSHPDF FormalysSHPDF;

/* Called with 1, 2, 3, 4 when a filled document is ready: the host answers by writing the path
   of the document to write into RESULTAT/FICHIER of the exchange file Formalys.ini, during the
   call or later from elsewhere. The result is ignored.
   On Windows the callback is a window procedure, called through CallWindowProcW with the window
   1, the message 2 and the parameters 3 and 4: LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM),
   __stdcall in the 32-bit build. Elsewhere it is a plain C function of four int32_t. */
#ifdef _WIN32
typedef intptr_t(__stdcall* FormalysHostCallback)(void*, unsigned int, uintptr_t, intptr_t);
#else
typedef int32_t (*FormalysHostCallback)(int32_t, int32_t, int32_t, int32_t);
#endif

/* A new object, or NULL when memory is short. Free it with formalys_shpdf_free. */
FORMALYS_EXPORT FormalysSHPDF* formalys_shpdf_new(void);
/* NULL is fine. */
FORMALYS_EXPORT void formalys_shpdf_free(FormalysSHPDF* object);

/* TheData: "" until the first formalys_cerfa_about on this object has finished, then
   "Yes My Friend". NULL object: "". */
FORMALYS_EXPORT const char* formalys_shpdf_get_thedata(const FormalysSHPDF* object);
FORMALYS_EXPORT int formalys_shpdf_set_thedata(FormalysSHPDF* object, const char* value);

/* CerfaInit: the application directory (NULL or "" = the directory of libformalys itself; one
   trailing "/" is removed), Alone (-1: no tray icon), and the host callback (NULL = none: a
   generated document is saved as test.pdf in the component directory). A later call replaces
   all three. */
FORMALYS_EXPORT int formalys_cerfa_init(FormalysSHPDF* object, const char* apath, int16_t alone,
                                        FormalysHostCallback callback);
/* CerfaAssistant: the assistant window, modally; returns once it has gone (generated, paused or
   closed). A document that cannot be written where the callback said keeps the window open
   with a message; 1 when the user then closes it without a saved document (the reason in
   formalys_last_error). A callback that answers with an empty or blank path cancels: nothing is
   written, the window stays open. */
FORMALYS_EXPORT int formalys_cerfa_assistant(FormalysSHPDF* object);
/* CerfaQuit: closes the tray window, removing the tray icon for the rest of the process. Call it
   before unloading the library. */
FORMALYS_EXPORT int formalys_cerfa_quit(FormalysSHPDF* object);
/* CerfaMenuPatient: the assistant window, modelessly; returns at once. */
FORMALYS_EXPORT int formalys_cerfa_menu_patient(FormalysSHPDF* object);
/* CerfaAbout: the about window, modally; once it has gone, TheData reads "Yes My Friend". */
FORMALYS_EXPORT int formalys_cerfa_about(FormalysSHPDF* object);
/* CerfaTest: the message "Ok". */
FORMALYS_EXPORT int formalys_cerfa_test(FormalysSHPDF* object);
/* Cerfa2035: fills form 2035 from section [2035] of the exchange file into 2035Ok.pdf in the
   current directory, without any window. 1 when nothing was written. */
FORMALYS_EXPORT int formalys_cerfa_2035(FormalysSHPDF* object);

/* Like `formalys generate`, without any window: the fill of form (MT, DEPAT, PIRES or DSI) on
   the application directory dir (NULL = the current one, set by formalys_cerfa_init), the merge,
   the corrected sheet when sheet is not NULL (a grid file), then generation. out not NULL: the
   document is written there (the component acts as the host for it). out NULL: the handshake
   with the callback given to formalys_cerfa_init, or test.pdf. Paused work is left alone.
   Templates stay parsed between calls (they are read again when their file changes). */
FORMALYS_EXPORT int formalys_generate(const char* dir, const char* form, const char* sheet,
                                      const char* out);

/* French text of this thread's last failure, "" when the last call succeeded. */
FORMALYS_EXPORT const char* formalys_last_error(void);

/* Handles the windows' events for about `milliseconds`, for a host with no Qt or GLib event loop
   of its own. 1 when there is no window system to serve (no window was ever opened, or no
   display). */
FORMALYS_EXPORT int formalys_process_events(int32_t milliseconds);

#ifdef __cplusplus
}
#endif

#endif /* FORMALYS_H */
