/* A host that opens the assistant modally on its application directory and names the document
 * from its callback, as a practice's host does; x-events.sh drives the window from outside.
 *   assistant-host.exe APPLICATION_DIRECTORY DOCUMENT */
#include <formalys/formalys.h>
#include <stdio.h>
#include <windows.h>

static char exchange[MAX_PATH * 3 + 16];
static char document[MAX_PATH * 3];

/* The callback: the document's path into RESULTAT/FICHIER, as the host's window procedure would. */
static LRESULT CALLBACK name_document(HWND window, UINT message, WPARAM w, LPARAM l)
{
    (void)window; (void)message; (void)w; (void)l;
    wchar_t path[MAX_PATH + 16], value[MAX_PATH];
    MultiByteToWideChar(CP_UTF8, 0, exchange, -1, path, MAX_PATH + 16);
    MultiByteToWideChar(CP_UTF8, 0, document, -1, value, MAX_PATH);
    WritePrivateProfileStringW(L"RESULTAT", L"FICHIER", value, path);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    char directory[MAX_PATH * 3];
    if (argc != 3) {
        fputs("usage: assistant-host APPLICATION_DIRECTORY DOCUMENT\n", stderr);
        return 2;
    }
    WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, directory, sizeof directory, NULL, NULL);
    WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, document, sizeof document, NULL, NULL);
    snprintf(exchange, sizeof exchange, "%s\\Formalys.ini", directory);
    FormalysSHPDF* component = formalys_shpdf_new();
    formalys_cerfa_init(component, directory, -1, (FormalysHostCallback)name_document);
    const int status = formalys_cerfa_assistant(component);
    formalys_cerfa_quit(component);
    formalys_shpdf_free(component);
    return status;
}
