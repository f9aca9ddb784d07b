#include "config/CommandRecords.h"
#include "text/TextFile.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;
using Strings = std::vector<std::string>;

Strings Params(const CommandRecord& r) { return {std::begin(r.params), std::end(r.params)}; }

TEST(CommandRecordsFile, SplitsNineFields) {
    TempDir dir;
    dir.Write("COMMAND2.TXT",
              "Start,RUN,1,,,,,1,1\r\n"
              " Go slow , SPD , 10 ,a b,,,x, 1 ,yes\n"
              "\n"
              "Short,ST\r\n"
              "Many,CMD,1,2,3,4,5,0,1,surplus,more");
    std::vector<CommandRecord> r = LoadCommandRecords(dir.Path());
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0].title, "Start");
    EXPECT_EQ(r[0].command, "RUN");
    EXPECT_EQ(Params(r[0]), (Strings{"1", "", "", "", ""}));
    EXPECT_EQ(r[0].ackCheck, 1);
    EXPECT_EQ(r[0].addChecksum, 1);

    EXPECT_EQ(r[1].title, " Go slow ");
    EXPECT_EQ(r[1].command, " SPD ");
    EXPECT_EQ(Params(r[1]), (Strings{" 10 ", "a b", "", "", "x"}));
    EXPECT_EQ(r[1].ackCheck, 1);
    EXPECT_EQ(r[1].addChecksum, 0);

    // An empty line keeps its place, so later records keep their buttons.
    EXPECT_EQ(r[2].title, "");
    EXPECT_EQ(r[2].command, "");
    EXPECT_EQ(r[2].ackCheck, 0);

    EXPECT_EQ(r[3].command, "ST");
    EXPECT_EQ(Params(r[3]), Strings(5));
    EXPECT_EQ(r[3].addChecksum, 0);

    EXPECT_EQ(Params(r[4]), (Strings{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(r[4].ackCheck, 0);
    EXPECT_EQ(r[4].addChecksum, 1);
}

TEST(CommandRecordsFile, KeepsAtMost29AndSaves29) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "T" + std::to_string(i) + ",C,,,,,,0,0\n";
    dir.Write("COMMAND2.TXT", text);
    std::vector<CommandRecord> r = LoadCommandRecords(dir.Path());
    ASSERT_EQ(r.size(), 29u);
    EXPECT_EQ(r[28].title, "T28");
    ASSERT_TRUE(SaveCommandRecords(dir.Path(), r));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(dir.File("COMMAND2.TXT"), lines));
    EXPECT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[28], "T28,C,,,,,,0,0");
}

TEST(CommandRecordsFile, MissingFileGivesNoRecords) {
    TempDir dir;
    EXPECT_TRUE(LoadCommandRecords(dir.Path()).empty());
    EXPECT_TRUE(LoadCommandDefs(dir.Path()).empty());
}

TEST(CommandRecordsFile, SaveWritesCrLfLinesThatReadBackTheSame) {
    TempDir dir;
    CommandRecord a{"Start", "RUN", {"1", "", "", "", "5"}, 1, 0};
    CommandRecord b{"Odd, title", "X\r\nY", {"p,1", "", "", "", ""}, 0, 7};
    ASSERT_TRUE(SaveCommandRecords(dir.Path(), {a, b}));
    EXPECT_EQ(dir.Read("COMMAND2.TXT"), "Start,RUN,1,,,,5,1,0\r\nOdd title,XY,p1,,,,,0,7\r\n");
    std::vector<CommandRecord> back = LoadCommandRecords(dir.Path());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].title, "Start");
    EXPECT_EQ(Params(back[0]), Params(a));
    EXPECT_EQ(back[1].addChecksum, 7);
    EXPECT_FALSE(SaveCommandRecords(dir.File("missing/"), {a}));
}

TEST(CommandDefsFile, SixFieldsPerLineAnyNumberOfLines) {
    TempDir dir;
    std::string text = "RUN,Speed,Time\r\nSTOP\r\nSET,a,b,c,d,e,f\r\n";
    for (int i = 0; i < 50; ++i) text += "C" + std::to_string(i) + ",1,2,3,4,5\n";
    dir.Write("CMDDEF.TXT", text + "RUN,other");
    std::vector<CommandDef> defs = LoadCommandDefs(dir.Path());
    ASSERT_EQ(defs.size(), 54u);
    EXPECT_EQ(LabelsForCommand(defs, "RUN"), (Strings{"Speed", "Time", "", "", ""}));
    EXPECT_EQ(LabelsForCommand(defs, "STOP"), Strings(5));
    EXPECT_EQ(LabelsForCommand(defs, "SET"), (Strings{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(LabelsForCommand(defs, "C49"), (Strings{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(LabelsForCommand(defs, "run"), Strings(5));
    EXPECT_EQ(LabelsForCommand(defs, "RUN "), Strings(5));
    EXPECT_EQ(LabelsForCommand({}, "RUN"), Strings(5));
}

TEST(BuildButtonCommandText, StopsAtFirstEmptyParameter) {
    struct Case {
        CommandRecord record;
        std::string text;
    } cases[] = {
        {{"t", "RUN", {"1", "", "", "", "5"}, 0, 1}, "RUN,1*"},
        {{"t", "RUN", {"1", "2", "3", "4", "5"}, 1, 1}, "RUN,1,2,3,4,5*"},
        {{"t", "RUN", {"", "2", "", "", ""}, 0, 0}, "RUN"},
        {{"t", "RUN", {" ", "", "", "", ""}, 0, 2}, "RUN, "},
        {{"t", "", {"", "", "", "", ""}, 0, 1}, "*"},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildButtonCommandText(c.record), c.text);
}

TEST(RecordCommand, EmptyForAMissingRecord) {
    std::vector<CommandRecord> records(2);
    records[1].command = "STS";
    EXPECT_EQ(RecordCommand(records, 1), "STS");
    EXPECT_EQ(RecordCommand(records, 0), "");
    EXPECT_EQ(RecordCommand(records, 2), "");
    EXPECT_EQ(RecordCommand(records, -1), "");
}

}  // namespace
}  // namespace quelda
