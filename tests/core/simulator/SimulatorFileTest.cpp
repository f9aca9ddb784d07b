// SIMULATOR.TXT and choice files: loading, bounds, the rewrite, choices.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "simulator/SimulatorFile.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;

std::string Definitions(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "P" + std::to_string(i) + ",INT,4,%d,u," + std::to_string(i) + ",1,0,0,\r\n";
    }
    return text;
}

TEST(SimulatorFile, RewriteKeepsCommentLinesAndWritesTenColumns) {
    TempDir dir;
    dir.Write("SIMULATOR.TXT",
              "// header comment\n"
              "Title,x\r\n"
              ",empty caption is a comment\r\n"
              "Speed,INT,4,%d,rpm,1500,1,0,0\n"  // nine columns
              "\n"
              "Name,STRING,2,%s\r\n"  // four columns
              "//tail,without end");
    CSimulatorFile file;
    ASSERT_EQ(file.Load(dir.Path()), ReadOutcome::Read);
    ASSERT_TRUE(file.HasTitle());
    EXPECT_EQ(file.Title().caption, "Title");
    ASSERT_EQ(file.Params().size(), 2u);
    EXPECT_EQ(file.Params()[0].unit, "rpm");
    EXPECT_EQ(file.Params()[1].value, "");
    EXPECT_EQ(file.SurplusCount(), 0u);
    file.Params()[0].value = "1600";
    ASSERT_TRUE(file.Rewrite(dir.Path()));
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"),
              "// header comment\n"
              "Title,x,,,,,,,,\r\n"
              ",empty caption is a comment\r\n"
              "Speed,INT,4,%d,rpm,1600,1,0,0,\r\n"
              "\n"
              "Name,STRING,2,%s,,,,,,\r\n"
              "//tail,without end");
}

TEST(SimulatorFile, DefinitionCounts) {
    for (int count : {0, 20, 21, 10000}) {
        TempDir dir;
        const std::string surplusStart = "// kept\r\n";
        const std::string text = "Title\r\n" + Definitions(count) + surplusStart;
        dir.Write("SIMULATOR.TXT", text);
        CSimulatorFile file;
        file.Load(dir.Path());
        EXPECT_EQ(file.Params().size(), static_cast<std::size_t>(std::min(count, 20))) << count;
        EXPECT_EQ(file.SurplusCount(), static_cast<std::size_t>(std::max(count - 20, 0))) << count;
        // nothing changed: the file comes back byte for byte, surplus included
        for (SimParam& p : file.Params()) p.value = "9";
        ASSERT_TRUE(file.Rewrite(dir.Path()));
        const std::string written = dir.Read("SIMULATOR.TXT");
        std::string expected = "Title,,,,,,,,,\r\n";
        for (int i = 0; i < std::min(count, 20); ++i) {
            expected += "P" + std::to_string(i) + ",INT,4,%d,u,9,1,0,0,\r\n";
        }
        for (int i = 20; i < count; ++i) {
            expected +=
                "P" + std::to_string(i) + ",INT,4,%d,u," + std::to_string(i) + ",1,0,0,\r\n";
        }
        EXPECT_EQ(written, expected + surplusStart) << count;
    }
}

TEST(SimulatorFile, MissingFileGivesNoRowsAndTheRewriteCreatesIt) {
    TempDir dir;
    CSimulatorFile file;
    EXPECT_EQ(file.Load(dir.Path()), ReadOutcome::Missing);
    EXPECT_FALSE(file.HasTitle());
    EXPECT_TRUE(file.Params().empty());
    EXPECT_TRUE(file.Rewrite(dir.Path()));
    EXPECT_EQ(dir.Read("SIMULATOR.TXT"), "");
}

TEST(SimulatorFile, FilesThatAreNotRegularOrTooLargeAreRefusedAndNotRewritten) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("SIMULATOR.TXT").c_str(), 0755), 0);
    CSimulatorFile asDirectory;
    EXPECT_EQ(asDirectory.Load(dir.Path()), ReadOutcome::Refused);
    EXPECT_FALSE(asDirectory.Rewrite(dir.Path()));
    struct stat st;
    EXPECT_TRUE(::stat(dir.File("SIMULATOR.TXT").c_str(), &st) == 0 && S_ISDIR(st.st_mode));

    TempDir other;
    const std::string huge = "Title\r\n" + std::string(kMaxSimulatorFileBytes, '/');
    other.Write("SIMULATOR.TXT", huge);
    CSimulatorFile tooLarge;
    EXPECT_EQ(tooLarge.Load(other.Path()), ReadOutcome::Refused);
    EXPECT_TRUE(tooLarge.Params().empty());
    EXPECT_FALSE(tooLarge.Rewrite(other.Path()));
    EXPECT_EQ(other.Read("SIMULATOR.TXT").size(), huge.size());
}

TEST(SimulatorFile, ChoiceFilesAreReadBesideTheDefinitionsAndBounded) {
    TempDir dir;
    dir.Write("modes.txt", "Title,t\r\nSlow,1\r\n\r\nFast,2,extra\n");
    dir.Write("empty.txt", "");
    ::mkdir(dir.File("adir").c_str(), 0755);
    dir.Write("big.txt", std::string(kMaxChoiceFileBytes + 1, 'x'));
    dir.Write("SIMULATOR.TXT",
              "Title\r\n"
              "A,INT,1,%d,,2,1,0,0,modes.txt\r\n"
              "B,INT,1,%d,,2,1,0,0," +
                  dir.File("modes.txt") +
                  "\r\n"
                  "C,INT,1,%d,,2,1,0,0,missing.txt\r\n"
                  "D,INT,1,%d,,2,1,0,0,empty.txt\r\n"
                  "E,INT,1,%d,,2,1,0,0,adir\r\n"
                  "F,INT,1,%d,,2,1,0,0,/dev/zero\r\n"
                  "G,INT,1,%d,,2,1,0,0,big.txt\r\n");
    CSimulatorFile file;
    file.Load(dir.Path());
    ASSERT_EQ(file.Params().size(), 7u);
    for (int i : {0, 1}) {
        const auto& o = file.Params()[i].options;
        ASSERT_EQ(o.size(), 4u) << i;  // every line, the empty one and the title included
        EXPECT_EQ(o[1].text, "Slow");
        EXPECT_EQ(o[2].text, "");
        EXPECT_EQ(o[3].value, "2");
    }
    for (int i = 2; i < 7; ++i) {
        EXPECT_TRUE(file.Params()[i].options.empty()) << file.Params()[i].choiceFile;
        EXPECT_TRUE(file.Params()[i].IsChoiceRow());
    }
}

TEST(SimulatorFile, ChoiceSelection) {
    SimParam p;
    p.choiceFile = "x";
    p.value = "2";
    // no choices at all: nothing offered, Send keeps column 6
    EXPECT_EQ(p.InitialSelection(), -1);
    EXPECT_EQ(p.ValueForSelection(-1), "2");
    // only the title: nothing offered, Send takes the title's value
    p.options = {{"Title", "t"}};
    EXPECT_EQ(p.InitialSelection(), -1);
    EXPECT_EQ(p.ValueForSelection(-1), "t");
    // the last choice with the value is selected; none: the first offered
    p.options = {{"Title", "2"}, {"A", "2"}, {"B", "3"}, {"C", "2"}, {"A", "4"}};
    EXPECT_EQ(p.InitialSelection(), 2);
    p.value = "9";
    EXPECT_EQ(p.InitialSelection(), 0);
    EXPECT_EQ(p.ValueForSelection(1), "3");
    EXPECT_EQ(p.ValueForSelection(3), "4");
    EXPECT_EQ(p.ValueForSelection(4), "9");  // beyond the list: column 6 stays
    EXPECT_EQ(p.FindOffered("A"), 0);        // the first of two with that text
    EXPECT_EQ(p.FindOffered("Title"), -1);   // the title is never offered
}

}  // namespace
}  // namespace quelda
