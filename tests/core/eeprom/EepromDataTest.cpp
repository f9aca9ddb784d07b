// The data file and the page table as the editor reads and writes them.
#include <gtest/gtest.h>

#include "eeprom/EepromData.h"
#include "eeprom/EepromPage.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;
using Lines = std::vector<std::string>;

Lines LinesOf(const std::vector<EepromItem>& items, std::size_t count) {
    Lines lines;
    for (std::size_t i = 0; i < count && i < items.size(); ++i) {
        lines.push_back(LineOfItem(items[i]));
    }
    return lines;
}

const std::string kEmptyLine = ",,,,,,,";

TEST(EepromDataTest, DropsCommentAndNamelessLinesAndFillsMissingWords) {
    const Lines lines = {
        "// a comment line counts",
        "name,type,lsb,format,unit,value,hex,display",
        "A,INT4,1,%d,mm,5,6,INT4",  // a hexValue is kept even if value disagrees
        ",INT4,1,%d,,1,1,INT4",     // no name: dropped
        "B,INT4,10,%d,,12,,INT4",   // no hexValue: 12 x 10
        "C,FLOAT4BE,1,%.2f,V,1.5,3FC00000,FLOAT,extra",
        "D,TEXT,1,%d,,7,,INT4",  // no conversion: no word either
    };
    std::vector<EepromItem> items;
    std::vector<std::size_t> source;
    ItemsFromLines(lines, items, &source);
    ASSERT_EQ(items.size(), kDataFileLines - 2);
    EXPECT_EQ(LinesOf(items, 6),
              (Lines{lines[1], lines[2], "B,INT4,10,%d,,12,78,INT4",
                     "C,FLOAT4BE,1,%.2f,V,1.5,3FC00000,FLOAT", lines[6], kEmptyLine}));
    ASSERT_EQ(source.size(), items.size());
    EXPECT_EQ(std::vector<std::size_t>(source.begin(), source.begin() + 6),
              (std::vector<std::size_t>{1, 2, 4, 5, 6, kFillerItem}));
}

TEST(EepromDataTest, ReadsOnlyTheFirstLinesAndFillsTheRest) {
    const std::string header = LineOfItem(DefaultHeaderItem());
    std::vector<EepromItem> items;
    ItemsFromLines({}, items);
    ASSERT_EQ(items.size(), kDataFileLines);
    EXPECT_EQ(LinesOf(items, 2), (Lines{header, kEmptyLine}));
    // the header comes from the file whatever it says; only a file without
    // lines gets the default one
    ItemsFromLines({"h,h,h,h,h,h,h,h"}, items);
    EXPECT_EQ(LinesOf(items, 2), (Lines{"h,h,h,h,h,h,h,h", kEmptyLine}));
    ItemsFromLines({"// only a comment"}, items);
    EXPECT_EQ(LinesOf(items, 1), Lines{kEmptyLine});
    Lines many(kDataFileLines + 5, "P,INT4,1,%d,,1,1,INT4");
    many[3] = "// counted";
    ItemsFromLines(many, items);
    EXPECT_EQ(items.size(), kDataFileLines - 1);
    EXPECT_EQ(LineOfItem(items.back()), many[0]);
}

TEST(EepromDataTest, ASavedFileReadsBackItemForItem) {
    TempDir dir;
    std::vector<EepromItem> items(3);
    EXPECT_FALSE(LoadItems(dir.File("missing.csv"), items));
    EXPECT_EQ(LinesOf(items, 2), Lines{LineOfItem(DefaultHeaderItem())});

    ItemsFromLines({"h,h,h,h,h,h,h,h", "A,INT4,1,%d,,1,1,INT4", "", "B,INT4,1,%d,,2,2,INT4"},
                   items);
    items[2] = {};                                             // a filler
    items[3] = {"", "INT4", "1", "%d", "", "5", "5", "INT4"};  // named by nobody
    items[4] = {"B", "INT4", "1", "%d", "", "2", "2", "INT4"};
    ASSERT_EQ(items.size(), kDataFileLines - 1);
    ASSERT_TRUE(SaveItems(dir.File("data.csv"), items));
    const std::string start =
        "h,h,h,h,h,h,h,h\r\nA,INT4,1,%d,,1,1,INT4\r\n,,,,,,,\r\n,INT4,1,%d,,5,5,INT4\r\n"
        "B,INT4,1,%d,,2,2,INT4\r\n";
    EXPECT_EQ(dir.Read("data.csv").substr(0, start.size()), start);
    std::vector<EepromItem> loaded;
    ASSERT_TRUE(LoadItems(dir.File("data.csv"), loaded));
    // the saved list, and one filler for the line the save did not have
    ASSERT_EQ(loaded.size(), kDataFileLines);
    EXPECT_EQ(LinesOf(loaded, 5), LinesOf(items, 5));
    for (std::size_t i = 0; i < items.size(); ++i) {
        ASSERT_EQ(LineOfItem(loaded[i]), LineOfItem(items[i])) << i;
    }
    // only empty lines and "//" names stay comments, counted but dropped
    dir.Write("data.csv", "h\r\n\r\n// note\r\n,,\r\nA,INT4,1,%d,,1,,INT4\r\n");
    ASSERT_TRUE(LoadItems(dir.File("data.csv"), loaded));
    EXPECT_EQ(loaded.size(), kDataFileLines - 2);
    EXPECT_EQ(LinesOf(loaded, 4),
              (Lines{"h,,,,,,,", kEmptyLine, "A,INT4,1,%d,,1,1,INT4", kEmptyLine}));
}

TEST(EepromDataTest, AFailedSaveSaysWhyAndLeavesTheOldFile) {
    TempDir dir;
    const std::vector<EepromItem> items(kDataFileLines,
                                        {"n", "INT4", "1", "%d", "", "1", "1", "x"});
    std::string reason;
    EXPECT_FALSE(SaveItems(dir.File("no/such/dir.csv"), items, &reason));
    EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
    dir.Write("data.csv", "old");
    {
        test::FileSizeLimit limit(4096);
        reason.clear();
        EXPECT_FALSE(SaveItems(dir.File("data.csv"), items, &reason));
    }
    EXPECT_NE(reason.find("File too large"), std::string::npos) << reason;
    EXPECT_EQ(dir.Read("data.csv"), "old");
}

TEST(EepromPageTableTest, SkipsEmptyAndCommentLinesOnly) {
    TempDir dir;
    dir.Write("tab.txt",
              "// pages\r\nSig,0,0\r\n\r\nP1,100,300\r\nP2,180,301,x\r\nTitle only\r\n,200,302");
    std::vector<EepromPage> pages;
    ASSERT_TRUE(LoadPageTable(dir.File("tab.txt"), pages));
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[1].title, "P1");
    EXPECT_EQ(pages[2].StartAt(), 0x180u);
    EXPECT_EQ(pages[2].ChecksumAt(), 0x301u);
    EXPECT_EQ(pages[3].startAddress, "");
    EXPECT_EQ(pages[3].ChecksumAt(), 0u);
    EXPECT_EQ(pages[4].StartAt(), 0x200u);  // an empty title is still a page
    EXPECT_FALSE(LoadPageTable(dir.File("missing.txt"), pages));
    EXPECT_TRUE(pages.empty());
}

}  // namespace
}  // namespace quelda
