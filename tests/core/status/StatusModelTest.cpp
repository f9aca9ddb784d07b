#include <gtest/gtest.h>

#include "status/StatusModel.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using test::TempDir;

std::vector<CommandRecord> Records(std::size_t count, const std::string& last = "STS") {
    std::vector<CommandRecord> records(count);
    if (count > 28) records[28].command = last;
    return records;
}

const char* const kTable =
    "// comment\r\n"
    "Label,Bits,Match,Text,R,G,B,X,Y\r\n"
    "Run,0,1,ON,0,255,0,0,0\r\n"
    "Run,0,others,OFF,128,128,128,0,0\r\n"
    "Mode,4-5,2,AUTO,0,0,255,1,0\r\n";

TEST(StatusModel, LoadsTheTableAndTheRequestOfRecord28) {
    TempDir dir;
    dir.Write("STATUS.TXT", kTable);
    CStatusModel model;
    model.Load(dir.Path(), Records(29));
    EXPECT_EQ(model.RequestCommand(), "STS");
    ASSERT_EQ(model.Table().size(), 4u);  // title line first
    EXPECT_EQ(model.Table()[0].label, "Label");

    model.RecordEdited(Records(29, "NEW"));
    EXPECT_EQ(model.RequestCommand(), "NEW");
    model.RecordEdited(Records(28));  // fewer than 29 records: unchanged
    EXPECT_EQ(model.RequestCommand(), "NEW");

    CStatusModel bare;
    bare.Load(dir.Path() + "missing/", Records(28));
    EXPECT_EQ(bare.RequestCommand(), "");
    EXPECT_TRUE(bare.Table().empty());
    EXPECT_TRUE(bare.Cells().empty());
    EXPECT_EQ(bare.WordText(), "00000000");
}

TEST(StatusModel, TickDecodesOnlyTheLatestFrame) {
    TempDir dir;
    dir.Write("STATUS.TXT", kTable);
    CStatusModel model;
    model.Load(dir.Path(), Records(29));
    EXPECT_FALSE(model.Tick());

    model.FrameIn("$QVR,STS,1*00\r\n");
    model.FrameIn("$QVR,STS,2A*00\r\n");
    EXPECT_EQ(model.Word(), 0u);  // decoding waits for the tick
    EXPECT_TRUE(model.Tick());
    EXPECT_EQ(model.Word(), 0x2Au);
    EXPECT_EQ(model.WordText(), "0000002A");
    std::vector<StatusCell> cells = model.Cells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].text, "OFF");
    EXPECT_EQ(cells[1].text, "AUTO");
    EXPECT_FALSE(model.Tick());

    // not hexadecimal: the word stays, the view still repaints
    model.FrameIn("$QVR,STS,zz*00\r\n");
    EXPECT_TRUE(model.Tick());
    EXPECT_EQ(model.Word(), 0x2Au);
    model.FrameIn("$QVR,STS,FFFFFFFF*00\r\n");
    model.Tick();
    EXPECT_EQ(model.WordText(), "FFFFFFFF");
    EXPECT_EQ(model.Cells()[0].text, "ON");
}

}  // namespace
}  // namespace quelda
