// Capitals and blanks as the forms use them.
#include "text/Letters.h"

#include <gtest/gtest.h>

using namespace formalys::text;

TEST(LettersTest, CapitalsIncludeAccentedLetters)
{
    EXPECT_EQ(toUpper("lyon"), "LYON");
    EXPECT_EQ(toUpper("éèêëàâäçîïôöùûüÿœæ"), "ÉÈÊËÀÂÄÇÎÏÔÖÙÛÜŸŒÆ");
    EXPECT_EQ(toUpper("3 rue de l'Église"), "3 RUE DE L'ÉGLISE");
}

TEST(LettersTest, CapitalsKeepLettersWhoseCapitalCannotBePrinted)
{
    EXPECT_EQ(toUpper("µ"), "µ"); // its capital is Greek
    EXPECT_EQ(toUpper("ß"), "ß");
    EXPECT_EQ(toUpper("a\xFF"), "A\xFF"); // an invalid byte stays as it was
}

TEST(LettersTest, NamesMatchRegardlessOfCaseButNotOfAccents)
{
    EXPECT_TRUE(equalsIgnoringCase("patient", "PATIENT"));
    EXPECT_TRUE(equalsIgnoringCase("prénom", "PRÉNOM"));
    EXPECT_FALSE(equalsIgnoringCase("prenom", "PRÉNOM"));
    EXPECT_FALSE(equalsIgnoringCase("NOM", "NOMS"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
}

TEST(LettersTest, StripRemovesSpacesOnlyAndOnlyAtTheEnds)
{
    EXPECT_EQ(strip("  a b  "), "a b");
    EXPECT_EQ(strip("\ta\t"), "\ta\t");
    EXPECT_EQ(strip("   "), "");
    EXPECT_EQ(stripBlanksAndTabs("\t a b \t"), "a b");
}
