/* A host written in C for Windows: it keeps a patient's data in the exchange file, lets Formalys
 * fill form 2035 and generate the four forms, and names each document from its callback, a window
 * procedure that Formalys calls through CallWindowProcW.
 *
 *   x86_64-w64-mingw32-gcc -municode host.c -I include -L . -lformalys -o host.exe
 *   host.exe APPLICATION_DIRECTORY
 *
 * APPLICATION_DIRECTORY holds the templates (MT.pdf, ...) and mapping grids (MT.cil, ...); the
 * documents are written there. Texts cross the C interface in UTF-8. */
#include <formalys/formalys.h>
#include <stdio.h>
#include <windows.h>

static char directory[MAX_PATH * 3];
static int documents = 0;

/* The exchange file as this host writes it: the patient, the practitioner and, once Formalys
   asks, the path of the next document in RESULTAT/FICHIER. */
static int write_exchange(const char* document)
{
    char path[MAX_PATH * 3 + 16];
    wchar_t wide[MAX_PATH + 16];
    snprintf(path, sizeof path, "%s\\Formalys.ini", directory);
    if (MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH + 16) == 0) {
        return 1;
    }
    FILE* file = _wfopen(wide, L"wb");
    if (file == NULL) {
        return 1;
    }
    fprintf(file,
            "[PATIENT]\r\nNUMPA=1042\r\nNOM=Lefèvre\r\nPRENOM=Zoé\r\nNOMASS=Lefèvre\r\nPRENOMASS=Jérôme\r\n"
            "NUMSS=1750369123456\r\nCLENUMSS=14\r\nDATEN=14/06/2012\r\nADR1=12 rue de l'Église\r\n"
            "CP=69003\r\nVILLE=Lyon\r\n[MEDECIN]\r\nNOM=Dr Martin\r\nIDNAT=691234567\r\n"
            "[2035]\r\nNOM=Béranger Cécile\r\nAA=123 456\r\n[RESULTAT]\r\nFICHIER=%s\r\n",
            document);
    return fclose(file) == 0 ? 0 : 1;
}

/* Formalys has a document ready: name it. Called as a window procedure, with 1, 2, 3, 4. */
static LRESULT CALLBACK name_document(HWND window, UINT message, WPARAM w, LPARAM l)
{
    (void)window, (void)message, (void)w, (void)l;
    char document[MAX_PATH * 3 + 32];
    snprintf(document, sizeof document, "%s\\document-%d.pdf", directory, ++documents);
    return write_exchange(document);
}

static int check(int code, const char* what)
{
    if (code != 0) {
        fprintf(stderr, "%s : échec (%d) : %s\n", what, code, formalys_last_error());
    }
    return code;
}

int wmain(int argc, wchar_t** argv)
{
    SetConsoleOutputCP(CP_UTF8);
    wchar_t full[MAX_PATH];
    if (argc < 2 || GetFullPathNameW(argv[1], MAX_PATH, full, NULL) == 0 ||
        WideCharToMultiByte(CP_UTF8, 0, full, -1, directory, sizeof directory, NULL, NULL) == 0) {
        fprintf(stderr, "utilisation : host.exe RÉPERTOIRE\n");
        return 2;
    }
    if (write_exchange("") != 0) {
        return 1;
    }
    FormalysSHPDF* component = formalys_shpdf_new();
    /* The header spells the window procedure's type without <windows.h>: the same function. */
    int failures = check(formalys_cerfa_init(component, directory, 0, (FormalysHostCallback)name_document),
                         "CerfaInit");
    if (SetCurrentDirectoryW(full)) { /* form 2035 is written to the current directory */
        failures += check(formalys_cerfa_2035(component), "Cerfa2035");
    }
    const char* forms[] = {"MT", "DEPAT", "PIRES", "DSI"};
    for (int i = 0; i < 4; ++i) {
        failures += check(formalys_generate(NULL, forms[i], NULL, NULL), forms[i]);
    }
    printf("%d documents générés dans %s\n", documents, directory);
    formalys_cerfa_quit(component);
    formalys_shpdf_free(component);
    return failures == 0 ? 0 : 1;
}
