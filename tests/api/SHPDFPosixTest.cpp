// Where the component keeps its files on Linux: the module's directory only when the user may write
// there and it is no system directory; otherwise the user's data directory, by the XDG rules.
#include "support/Test.h"

#include <cstdlib>

namespace {

using PosixComponentTest = AppFixture;

TEST_F(PosixComponentTest, TheComponentDirectoryIsNeverASystemDirectory)
{
    TempDir work;
    const std::string data = work.file("données");
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    for (const auto& [module, expected] : std::vector<std::pair<std::string, std::string>>{
             {"/usr/bin", data + "/formalys"}, {"/usr", data + "/formalys"}, {"/opt/formalys/lib", data + "/formalys"},
             {"/lib64", data + "/formalys"}, {work.file("absent"), data + "/formalys"}, {work.path(), work.path()}}) {
        EXPECT_EQ(componentDirectoryFor(module), expected) << module;
    }
    EXPECT_TRUE(fs::is_directory(data + "/formalys")) << "made when first needed";
    ::setenv("XDG_DATA_HOME", "relatif", 1); // not absolute: ignored, as the XDG rules say
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/root";
    ::setenv("HOME", work.path().c_str(), 1);
    EXPECT_EQ(componentDirectoryFor("/usr/lib/x86_64-linux-gnu"), work.path() + "/.local/share/formalys");
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
