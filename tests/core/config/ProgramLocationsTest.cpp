#include <cstdlib>
#include <filesystem>

#include "config/ProgramLocations.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

class ProgramLocationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        if (old) m_oldXdg = old;
        m_hadXdg = old != nullptr;
        ::setenv("XDG_DATA_HOME", tree.File("data").c_str(), 1);
    }
    void TearDown() override {
        if (m_hadXdg) {
            ::setenv("XDG_DATA_HOME", m_oldXdg.c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
    }
    TempDir tree;

private:
    std::string m_oldXdg;
    bool m_hadXdg = false;
};

TEST_F(ProgramLocationsTest, ABuildFolderKeepsEverythingBesideTheProgram) {
    fs::create_directories(tree.File("build/bin/help"));
    // a share/quelda above does not matter while help/ sits beside the program
    fs::create_directories(tree.File("build/share/quelda"));
    const std::string bin = tree.File("build/bin/");
    EXPECT_FALSE(IsInstalledLayout(bin));
    EXPECT_EQ(ResourceDirectory(bin), bin);
    EXPECT_EQ(DefaultProgramDirectory(bin), bin);
}

TEST_F(ProgramLocationsTest, AnInstalledTreeReadsShareAndWritesTheUsersFolder) {
    fs::create_directories(tree.File("usr/bin"));
    fs::create_directories(tree.File("usr/share/quelda/help"));
    const std::string bin = tree.File("usr/bin");  // no trailing slash, as some callers pass it
    EXPECT_TRUE(IsInstalledLayout(bin));
    EXPECT_EQ(ResourceDirectory(bin), tree.File("usr/share/quelda/"));
    EXPECT_EQ(DefaultProgramDirectory(bin), tree.File("data/Quelda/"));
    EXPECT_TRUE(fs::is_directory(tree.File("data/Quelda")));
}

}  // namespace
}  // namespace quelda
