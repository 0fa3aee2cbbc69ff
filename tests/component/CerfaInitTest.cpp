// CerfaInit sets the process-wide state; CerfaTest shows its message through the port.
#include "component/ComponentState.h"
#include "formalys/SHPDF.h"
#include "support/ExchangeFixture.h"

#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

using namespace formalys;

namespace {

class CerfaInitTest : public ::testing::Test
{
protected:
    void SetUp() override { ComponentState::instance().reset(); }
    void TearDown() override { ComponentState::instance().reset(); }
    ComponentState& state() { return ComponentState::instance(); }
};

struct PathCase
{
    std::string given;
    std::string directory;
    std::string exchangePath;
};

std::ostream& operator<<(std::ostream& os, const PathCase& c)
{
    return os << "\"" << c.given << "\"";
}

class CerfaInitPathTest : public CerfaInitTest, public ::testing::WithParamInterface<PathCase>
{};

TEST_P(CerfaInitPathTest, RemovesOneTrailingSeparatorOnly)
{
    SHPDF().CerfaInit(GetParam().given);
    EXPECT_EQ(state().applicationDirectory, GetParam().directory);
    EXPECT_EQ(state().exchangePath, GetParam().exchangePath);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, CerfaInitPathTest,
    ::testing::Values(PathCase{"/srv/cabinet/", "/srv/cabinet", "/srv/cabinet/Formalys.ini"},
                      PathCase{"/srv/cabinet", "/srv/cabinet", "/srv/cabinet/Formalys.ini"},
                      PathCase{"/srv/cabinet//", "/srv/cabinet/", "/srv/cabinet//Formalys.ini"},
                      PathCase{"/", "", "/Formalys.ini"},
                      PathCase{"relative/dir/", "relative/dir", "relative/dir/Formalys.ini"},
                      PathCase{"/srv/Cabinet Médical", "/srv/Cabinet Médical",
                               "/srv/Cabinet Médical/Formalys.ini"}));

TEST_F(CerfaInitTest, StartsEmpty)
{
    EXPECT_EQ(state().applicationDirectory, "");
    EXPECT_EQ(state().exchangePath, "");
    EXPECT_EQ(state().alone, 0);
    EXPECT_EQ(state().pauseFlag, 0);
    EXPECT_FALSE(state().hostCallback);
}

TEST_F(CerfaInitTest, AnEmptyPathUsesTheComponentDirectory)
{
    // The tests link the component into their executable, so that is the component directory.
    char exe[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    std::string expected = exe;
    expected.erase(expected.rfind('/'));

    SHPDF().CerfaInit();
    EXPECT_EQ(state().applicationDirectory, expected);
    EXPECT_EQ(state().exchangePath, expected + "/Formalys.ini");
}

TEST_F(CerfaInitTest, StoresAloneAndTheCallbackAndALaterCallReplacesAll)
{
    int calls = 0;
    SHPDF first;
    first.CerfaInit("/a", -1, [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        ++calls;
        return 0;
    });
    EXPECT_EQ(state().alone, -1);
    ASSERT_TRUE(state().hostCallback);
    state().hostCallback(1, 2, 3, 4);
    EXPECT_EQ(calls, 1);

    SHPDF second; // a second object sees and replaces the same state
    second.CerfaInit("/b", 1);
    EXPECT_EQ(state().applicationDirectory, "/b");
    EXPECT_EQ(state().alone, 1);
    EXPECT_FALSE(state().hostCallback);
}

TEST_F(CerfaInitTest, TheDataBelongsToEachObject)
{
    SHPDF a;
    SHPDF b;
    EXPECT_EQ(a.TheData(), "");
    a.setTheData("x");
    EXPECT_EQ(a.TheData(), "x");
    EXPECT_EQ(b.TheData(), "");
}

TEST_F(CerfaInitTest, CerfaTestShowsOkAsAnInformation)
{
    auto recorder = std::make_shared<formalys::testing::RecordingMessageBox>();
    state().messageBox = recorder;
    SHPDF().CerfaTest();
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].text, "Ok");
    EXPECT_EQ(recorder->shown[0].title, "Information");
    EXPECT_EQ(recorder->shown[0].icon, MessageBoxPort::Icon::Information);
}

} // namespace
