// The formalys program on a POSIX system, with the fault injector of support/FileCalls.h.
#include "cli/ExitCode.h"
#include "exchange/ProfileFile.h"
#include "support/Platform.h"
#include "support/Test.h"

namespace {

using PosixVerbsTest = AppFixture;

// The formalys program itself, its file-system calls failed as a read-only, full or vanished
// directory fails them (LD_PRELOAD): generation stops before saving, says why in French and exits
// with 1, and the previous patient's document stays as it was.
TEST_F(PosixVerbsTest, TheProgramNeverSavesOverAnotherPatientsDocument)
{
    installShippedForms();
    writeExchange("[PATIENT]\r\nNUMPA=1042\r\nNOM=Lefèvre\r\n[MEDECIN]\r\nIDNAT=691234567\r\n");
    TempDir work;
    for (const auto& [error, french] : {std::pair{"EROFS", "le disque est en lecture seule"},
                                        {"ENOSPC", "le disque est plein"}, {"ENOENT", "n'existe pas"}, {"EACCES", "droits insuffisants pour écrire dans"}}) {
        writeBytes(work.file("ancien-patient.pdf"), "ancien");
        exchange::writeProfileString(dir.file("Formalys.ini"), "RESULTAT", "FICHIER", work.file("ancien-patient.pdf"));
        const ProgramRun refused = runProgram("env", {"LD_PRELOAD=" FORMALYS_FILE_CALLS, "FORMALYS_TEST_FAULT=" + std::string(error) + ":Formalys.ini",
                                                      "ASAN_OPTIONS=verify_asan_link_order=0", FORMALYS_PROGRAM, "generate", "--dir", dir.path(),
                                                      "--form", "MT", "--out", work.file("nouveau.pdf")}, work.path());
        EXPECT_EQ(refused.code, cli::exitFailed) << refused.err;
        EXPECT_THAT(refused.err, HasSubstr(french));
        EXPECT_THAT(refused.err, HasSubstr("aucun document n'a été enregistré"));
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(readBytes(work.file("ancien-patient.pdf")), "ancien");
        EXPECT_FALSE(fs::exists(work.file("nouveau.pdf")));
    }
}

} // namespace
