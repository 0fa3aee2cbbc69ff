/* A host written in C: it keeps a patient's data in the exchange file, lets Formalys fill form
 * 2035 and generate the four forms, naming each document from its callback, then opens the
 * assistant beside it and keeps the window alive with formalys_process_events.
 *
 *   cc host.c $(pkg-config --cflags --libs formalys) -o host
 *   ./host APPLICATION_DIRECTORY [SECONDS]
 *
 * APPLICATION_DIRECTORY holds the templates (MT.pdf, ...) and mapping grids (MT.cil, ...); the
 * documents are written there. SECONDS: how long the assistant stays open (default 30). */
#define _XOPEN_SOURCE 700 /* realpath, chdir */
#include <formalys/formalys.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static char directory[4096];
static int documents = 0;

/* The exchange file as this host writes it: the patient, the practitioner and, once Formalys
   asks, the path of the next document in RESULTAT/FICHIER. */
static int write_exchange(const char* document)
{
    char path[4200];
    snprintf(path, sizeof path, "%s/Formalys.ini", directory);
    FILE* file = fopen(path, "w");
    if (file == NULL) {
        return 1;
    }
    fprintf(file,
            "[PATIENT]\nNUMPA=1042\nNOM=Lefèvre\nPRENOM=Zoé\nNOMASS=Lefèvre\nPRENOMASS=Jérôme\n"
            "NUMSS=1750369123456\nCLENUMSS=14\nDATEN=14/06/2012\nADR1=12 rue de l'Église\n"
            "CP=69003\nVILLE=Lyon\n[MEDECIN]\nNOM=Dr Martin\nIDNAT=691234567\n"
            "[2035]\nNOM=Béranger Cécile\nAA=123 456\n[RESULTAT]\nFICHIER=%s\n",
            document);
    return fclose(file) == 0 ? 0 : 1;
}

/* Formalys has a document ready: name it. */
static int32_t name_document(int32_t a, int32_t b, int32_t c, int32_t d)
{
    (void)a, (void)b, (void)c, (void)d;
    char document[4200];
    snprintf(document, sizeof document, "%s/document-%d.pdf", directory, ++documents);
    return write_exchange(document);
}

static int check(int code, const char* what)
{
    if (code != 0) {
        fprintf(stderr, "%s : échec (%d) : %s\n", what, code, formalys_last_error());
    }
    return code;
}

int main(int argc, char** argv)
{
    if (argc < 2 || realpath(argv[1], directory) == NULL) {
        fprintf(stderr, "utilisation : %s RÉPERTOIRE [SECONDES]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 2 ? atoi(argv[2]) : 30;
    if (write_exchange("") != 0) {
        return 1;
    }
    FormalysSHPDF* component = formalys_shpdf_new();
    int failures = check(formalys_cerfa_init(component, directory, 0, name_document), "CerfaInit");

    if (chdir(directory) == 0) { /* form 2035 is written to the current directory */
        failures += check(formalys_cerfa_2035(component), "Cerfa2035");
    }
    const char* forms[] = {"MT", "DEPAT", "PIRES", "DSI"};
    for (int i = 0; i < 4; ++i) {
        failures += check(formalys_generate(NULL, forms[i], NULL, NULL), forms[i]);
    }
    printf("%d documents générés dans %s\n", documents, directory);

    /* The assistant beside the host: this host has no event loop, so it handles the window's
       events itself. */
    if (check(formalys_cerfa_menu_patient(component), "CerfaMenuPatient") == 0) {
        printf("assistant ouvert\n");
        fflush(stdout);
        for (int i = 0; i < seconds * 20; ++i) {
            formalys_process_events(50);
        }
    } else {
        failures++; /* no display: the documents above are written all the same */
    }
    formalys_cerfa_quit(component);
    formalys_shpdf_free(component);
    return failures == 0 ? 0 : 1;
}
