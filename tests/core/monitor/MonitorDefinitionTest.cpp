#include <gtest/gtest.h>

#include "text/CommaLines.h"
#include "monitor/MonitorDefinition.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;

TEST(MonitorDefinition, SkipsCommentsAndKeepsTheTitleLineFirst) {
    TempDir dir;
    dir.Write("M.TXT",
              "// comment\r\n"
              ",starts with a comma\r\n"
              "\r\n"
              "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
              "  //blank first,not a comment\r\n"
              "//,skipped\n"
              "2,Speed,HEX,1,%d,INT4,rpm,0,1,,surplus,more\n"
              "3");
    const auto items =
        LoadMonitorDefinition(dir.File("M.TXT"), DefinitionForm::TextField, dir.Path());
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].name, "Name");
    EXPECT_EQ(items[1].position, "  //blank first");
    EXPECT_EQ(items[2].position, "2");
    EXPECT_EQ(items[2].name, "Speed");
    EXPECT_EQ(items[2].unit, "rpm");
    EXPECT_EQ(items[2].statusFile, "");
    EXPECT_EQ(items[2].offset, "");  // column 11 belongs to the typed-block form only
    EXPECT_EQ(items[3].position, "3");
    EXPECT_EQ(items[3].name, "");
    EXPECT_EQ(items[3].y, "");
}

TEST(MonitorDefinition, ReadsTheOffsetColumnOfTypedBlocks) {
    TempDir dir;
    dir.Write("M3.TXT", "title\n1,A,INT2LE,0.5,%.1f,FLOAT,V,0,0,,10\n");
    const auto items =
        LoadMonitorDefinition(dir.File("M3.TXT"), DefinitionForm::TypedBlock, dir.Path());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].offset, "10");
    const uint8_t data[] = {4, 0};
    std::string value;
    items[1].codec.DecodeBinary(data, 2, 0, value);
    EXPECT_EQ(value, "12.0");
}

TEST(MonitorDefinition, KeepsTheBytesOfNamesAndUnits) {
    TempDir dir;
    const std::string sjis = "\x91\xac\x93\x78";  // Shift-JIS, invalid as UTF-8
    const std::string utf8 = "\xE9\x80\x9F\xE5\xBA\xA6";
    dir.Write("M.TXT", "t\n1," + sjis + ",HEX,1,%d,INT4," + utf8 + " \t,0,0\n");
    const auto items =
        LoadMonitorDefinition(dir.File("M.TXT"), DefinitionForm::TextField, dir.Path());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].name, sjis);
    EXPECT_EQ(items[1].unit, utf8 + " \t");
}

TEST(MonitorDefinition, LoadsStatusTablesFromTheProgramDirectory) {
    TempDir dir;
    dir.Write("ST.TXT", "// c\nLabel,Bits,Val,Text,R,G,B,X,Y\nRun,0,1,ON,0,255,0,0,0\n");
    dir.Write("M.TXT",
              "t\n"
              "1,S,HEX,1,%d,STATUS,,0,0,ST.TXT\n"
              "2,N,HEX,1,%d,status,,0,1,ST.TXT\n"
              "3,M,HEX,1,%d,STATUS,,0,2,MISSING.TXT\n"
              "4,E,HEX,1,%d,STATUS,,0,3,\n");
    const auto items =
        LoadMonitorDefinition(dir.File("M.TXT"), DefinitionForm::TextField, dir.Path());
    ASSERT_EQ(items.size(), 5u);
    ASSERT_EQ(items[1].statusList.size(), 2u);
    EXPECT_EQ(items[1].statusList[1].text, "ON");
    EXPECT_TRUE(items[2].statusList.empty());  // "STATUS" is compared exactly
    EXPECT_TRUE(items[3].statusList.empty());
    EXPECT_TRUE(items[4].statusList.empty());  // empty name: the directory itself
}

TEST(MonitorDefinition, MissingFilesGiveNoItems) {
    TempDir dir;
    EXPECT_TRUE(
        LoadMonitorDefinition(dir.File("NONE.TXT"), DefinitionForm::TextField, dir.Path()).empty());
    EXPECT_TRUE(LoadMonitorDefinition(dir.Path(), DefinitionForm::TypedBlock, dir.Path()).empty());
    dir.Write("C.TXT", "// only\n//comments\n");
    EXPECT_TRUE(
        LoadMonitorDefinition(dir.File("C.TXT"), DefinitionForm::TextField, dir.Path()).empty());
}

TEST(MonitorDefinition, LoadsTenThousandItems) {
    TempDir dir;
    std::string text = "title\n";
    for (int i = 1; i <= 10000; ++i) {
        text += std::to_string(i) + ",N" + std::to_string(i) + ",INT2LE,1,%d,INT4,u,0," +
                std::to_string(i) + ",,\n";
    }
    dir.Write("BIG.TXT", text);
    const auto items =
        LoadMonitorDefinition(dir.File("BIG.TXT"), DefinitionForm::TypedBlock, dir.Path());
    ASSERT_EQ(items.size(), 10001u);
    EXPECT_EQ(items.back().name, "N10000");
}

TEST(DefinitionLines, CommentRule) {
    EXPECT_TRUE(IsCommentColumn(""));
    EXPECT_TRUE(IsCommentColumn("//"));
    EXPECT_TRUE(IsCommentColumn("//x"));
    EXPECT_FALSE(IsCommentColumn("/"));
    EXPECT_FALSE(IsCommentColumn(" //"));
    EXPECT_FALSE(IsCommentColumn("0"));
}

}  // namespace
}  // namespace quelda
