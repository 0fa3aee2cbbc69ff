// The exchange file on a POSIX file system: a write keeps the file's mode and the link that names it.
#include "support/Test.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using PosixExchangeTest = AppFixture;

TEST_F(PosixExchangeTest, AWriteReplacesTheFileAtomicallyKeepingModeAndLinks)
{
    WriteExchange("RESULTAT", "TITRE", "Protocole de Soins (PIRES)");
    ASSERT_EQ(::chmod(dir.file("Formalys.ini").c_str(), 0640), 0);
    struct stat before = {}, after = {};
    ::stat(dir.file("Formalys.ini").c_str(), &before);
    WriteExchange("resultat", "titre", "Protocole de Soins (PIRES)");
    ::stat(dir.file("Formalys.ini").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the value already there: the file is left alone";
    WriteExchange("RESULTAT", "NUMPA", "12");
    ::stat(dir.file("Formalys.ini").c_str(), &after);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    ASSERT_EQ(::symlink("Formalys.ini", dir.file("lien.ini").c_str()), 0);
    state().exchangePath = dir.file("lien.ini");
    WriteExchange("RESULTAT", "NUMPA", "13");
    ::lstat(dir.file("lien.ini").c_str(), &after);
    EXPECT_TRUE(S_ISLNK(after.st_mode));
    EXPECT_EQ(ReadExchange("RESULTAT", "NUMPA", ""), "13");
    EXPECT_EQ(dir.entryCount(), 2u);
    EXPECT_TRUE(takeWarnings().empty());
}

} // namespace
