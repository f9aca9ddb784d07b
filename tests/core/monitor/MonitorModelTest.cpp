#include <algorithm>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "monitor/MonitorModel.h"
#include "support/TempDir.h"
#include "text/FileNames.h"

namespace quelda {
namespace {

using test::FileSizeLimit;
using test::TempDir;

std::vector<CommandRecord> Records(std::size_t count) {
    std::vector<CommandRecord> records(count);
    for (std::size_t i = 0; i < count; ++i) {
        records[i].title = "T" + std::to_string(i);
        records[i].command = "C" + std::to_string(i);
    }
    return records;
}

// Title line, then items at positions 1 and 3 shown unchanged.
const char* const kTextDefinition =
    "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
    "1,a,HEX,1,,INT4,V,0,0,\r\n"
    "3,c,HEX,1,,INT4,A,0,1,\r\n";

const char* const kFrame1 = "$QVR,MON,10,20,30*3F\r\n";
const char* const kFrame2 = "$QVR,MON,11,21,31*3E\r\n";

TEST(MonitorModel, TwoFramesInOneTickAreBothLoggedAndOnlyTheSecondShown) {
    TempDir dir;
    dir.Write("MONITOR1.TXT", kTextDefinition);
    CMonitorModel model(1);
    model.Load(dir.Path(), Records(29));
    model.SetSave(true, dir.File("log.CSV"));

    model.FrameIn(kFrame1);
    model.FrameIn(kFrame2);
    EXPECT_EQ(model.Items()[1].value, "");  // decoding waits for the tick
    EXPECT_TRUE(model.HasNewData());
    EXPECT_TRUE(model.Tick());
    EXPECT_EQ(model.Items()[1].value, "11");
    EXPECT_EQ(model.Items()[2].value, "31");
    EXPECT_FALSE(model.HasNewData());
    EXPECT_FALSE(model.Tick());  // nothing new: no decode, no repaint
    EXPECT_EQ(dir.Read("log.CSV"), std::string(",,a,,c,\r\n") + kFrame1 + kFrame2);

    // unchecked: nothing more is logged, the name stays
    model.SetSave(false);
    model.FrameIn(kFrame1);
    EXPECT_EQ(model.LogFileName(), dir.File("log.CSV"));
    EXPECT_EQ(dir.Read("log.CSV"), std::string(",,a,,c,\r\n") + kFrame1 + kFrame2);
}

TEST(MonitorModel, EachMonitorTakesItsOwnConstants) {
    TempDir dir;
    for (const char* file : {"MONITOR1.TXT", "MONITOR4.TXT"}) dir.Write(file, kTextDefinition);
    const std::string today = TodayYYMMDD();
    struct Case {
        int number;
        std::string request;
        std::string position3;  // element 4 on monitor 1, element 3 on monitor 4
        std::string header;
        std::string values;
    };
    const Case cases[] = {
        {1, "C20", "30", ",,a,,c,", ",,10,,30,"},
        {4, "C26", "20", ",a,,c,", ",MON,,20,"},
    };
    for (const Case& c : cases) {
        CMonitorModel model(c.number);
        model.Load(dir.Path(), Records(29));
        model.FrameIn(kFrame1);
        model.Tick();
        EXPECT_EQ(model.RequestCommand(), c.request) << c.number;
        EXPECT_EQ(model.Items()[2].value, c.position3) << c.number;
        EXPECT_EQ(model.HeaderLine(), c.header) << c.number;
        EXPECT_EQ(model.ValuesLine(), c.values) << c.number;
        EXPECT_EQ(model.ProposedLogName(), dir.Path() + today + "00.CSV") << c.number;
        EXPECT_EQ(model.LogFileName(), "") << "only monitor 3 takes the name at once";
    }
    EXPECT_EQ(CMonitorModel(WindowKind::Monitor4).Constants().number, 4);
}

TEST(MonitorModel, ProposedNameIsTheFirstFreeNumberOrZeroWhenAllAreTaken) {
    TempDir dir;
    const std::string today = TodayYYMMDD();
    for (int n = 0; n < 100; ++n) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", n);
        if (n != 42) dir.Write(today + digits + ".BIN", "x");
    }
    CMonitorModel model(3);
    model.Load(dir.Path(), {});
    EXPECT_EQ(model.ProposedLogName(), dir.Path() + today + "42.BIN");
    EXPECT_EQ(model.LogFileName(), model.ProposedLogName());  // monitor 3 takes it at once
    EXPECT_EQ(model.ConverterOutputName(), dir.Path() + today + "42.CSV");

    dir.Write(today + "42.BIN", "x");
    model.Load(dir.Path(), {});
    EXPECT_EQ(model.ProposedLogName(), dir.Path() + today + "00.BIN");
}

TEST(MonitorModel, RequestCommandFollowsTheEditedRecord) {
    TempDir dir;
    CMonitorModel model(2);
    model.Load(dir.Path(), Records(22));  // record 22 missing
    EXPECT_EQ(model.RequestCommand(), "");
    EXPECT_TRUE(model.Items().empty());  // no MONITOR2.TXT: an empty panel
    EXPECT_EQ(model.HeaderLine(), ",,");

    std::vector<CommandRecord> records = Records(29);
    model.RecordEdited(records);
    EXPECT_EQ(model.RequestCommand(), "C22");
    records[22].command = "NEW";
    model.RecordEdited(records);
    EXPECT_EQ(model.RequestCommand(), "NEW");
    model.RecordEdited(Records(3));  // a missing record changes nothing
    EXPECT_EQ(model.RequestCommand(), "NEW");
}

TEST(MonitorModel, LogHeaderOnlyInAnEmptyFileAndNothingIsTruncated) {
    TempDir dir;
    dir.Write("MONITOR1.TXT", kTextDefinition);
    dir.Write("old.CSV", "old line\r\n");
    dir.Write("empty.CSV", "");
    CMonitorModel model(1);
    model.Load(dir.Path(), {});

    model.SetSave(true, dir.File("old.CSV"));
    model.FrameIn(kFrame1);
    EXPECT_EQ(dir.Read("old.CSV"), std::string("old line\r\n") + kFrame1);

    model.SetSave(true, dir.File("empty.CSV"));
    model.FrameIn(kFrame1);
    EXPECT_EQ(dir.Read("empty.CSV"), std::string(",,a,,c,\r\n") + kFrame1);
}

TEST(MonitorModel, FailedLogWriteIsShownUntilARecordIsWrittenAgain) {
    TempDir dir;
    dir.Write("MONITOR1.TXT", kTextDefinition);
    CMonitorModel model(1);
    model.Load(dir.Path(), {});
    EXPECT_FALSE(model.LogState().failed);

    // a directory cannot be opened as a log
    model.SetSave(true, dir.Path());
    model.FrameIn(kFrame1);
    EXPECT_TRUE(model.LogState().failed);
    EXPECT_EQ(model.LogState().fileName, dir.Path());
    EXPECT_EQ(model.LogState().reason, std::strerror(EISDIR));
    EXPECT_TRUE(model.Tick());  // the frame is still shown
    EXPECT_EQ(model.Items()[1].value, "10");

    // a full disk mid-record: the partial record is taken back
    dir.Write("full.CSV", "0123456789\r\n");
    model.SetSave(true, dir.File("full.CSV"));
    {
        FileSizeLimit limit(20);
        model.FrameIn(kFrame2);
    }
    EXPECT_TRUE(model.LogState().failed);
    EXPECT_EQ(model.LogState().fileName, dir.File("full.CSV"));
    EXPECT_FALSE(model.LogState().reason.empty());
    EXPECT_EQ(dir.Read("full.CSV"), "0123456789\r\n");

    model.FrameIn(kFrame2);
    EXPECT_FALSE(model.LogState().failed);
    EXPECT_EQ(model.LogState().reason, "");
    EXPECT_EQ(dir.Read("full.CSV"), std::string("0123456789\r\n") + kFrame2);
}

// Monitor 3's blocks: the length bytes (low first here), then the fields.
std::vector<uint8_t> Block(std::size_t length, std::size_t extra = 0) {
    // room for both length bytes even when the block is shorter than them
    std::vector<uint8_t> block(std::max<std::size_t>(length + extra, 2), 0xEE);
    block[0] = static_cast<uint8_t>(length & 0xFF);
    block[1] = static_cast<uint8_t>(length >> 8);
    block.resize(length + extra);
    return block;
}

TEST(MonitorModel, WholeBlockOfFourKilobytesIsKeptDecodedAndLogged) {
    TempDir dir;
    dir.Write("MONITOR3.TXT",
              "Col,Name,Type,Scale,Format,Disp,Unit,X,Y,File,Offset\r\n"
              "1,head,UCHAR,1,%u,UINT4,,0,0,,0\r\n"
              "0,skip,JUMP4091,1,,,,0,0,,0\r\n"
              "2,tail,UINT2BE,1,%u,UINT4,,0,1,,0\r\n");
    CMonitorModel model(3);
    model.Load(dir.Path(), Records(29));
    EXPECT_EQ(model.RequestCommand(), "C24");
    model.SetSave(true, dir.File("m3.BIN"));

    std::vector<uint8_t> block = Block(4096);
    block[2] = 7;
    block[4094] = 0x12;
    block[4095] = 0x34;
    model.BlockIn(block.data(), block.size(), 0);
    EXPECT_TRUE(model.Tick());
    EXPECT_EQ(model.Items()[1].value, "7");
    EXPECT_EQ(model.Items()[3].value, "4660");  // the last two bytes of the block
    EXPECT_EQ(model.ValuesLine(), "7,4660,");
    EXPECT_EQ(dir.Read("m3.BIN"), "head,tail,\r\n" + std::string(block.begin(), block.end()));

    // a text frame is not monitor 3's data
    model.FrameIn(kFrame1);
    EXPECT_FALSE(model.HasNewData());
}

TEST(MonitorModel, KeptBlockIsBoundedByItsLengthTheBytesGivenAndFourKilobytes) {
    struct Case {
        std::size_t declared;
        std::size_t given;
        std::size_t kept;
    };
    const Case cases[] = {
        {10, 20, 10},  // stale bytes after the block are not kept
        {30, 20, 20},  // a length past the bytes handed over
        {5000, 5000, 4096},
        {1, 1, 1},  // too short to hold its length: kept, decodes nothing
    };
    for (const Case& c : cases) {
        CMonitorModel model(3);
        std::vector<uint8_t> block = Block(c.declared);
        block.resize(c.given, 0xEE);
        model.BlockIn(block.data(), block.size(), 0);
        EXPECT_EQ(model.Block().size(), c.kept) << c.declared << "/" << c.given;
        EXPECT_TRUE(model.Tick());
    }
    const uint8_t block[] = {0, 3, 9, 9, 9};
    // monitors 1, 2, 4 take no blocks
    CMonitorModel text(1);
    text.BlockIn(block, sizeof block, 0);
    EXPECT_FALSE(text.HasNewData());
}

TEST(MonitorModel, StatusCellsCarryTheItemName) {
    TempDir dir;
    dir.Write("MONITOR4.TXT",
              "Pos,Name,Type,Scale,Format,Disp,Unit,X,Y,File\r\n"
              "2,state,HEX,1,%d,STATUS,,0,0,ST.TXT\r\n"
              "3,plain,HEX,1,%d,INT4,,0,1,\r\n");
    dir.Write("ST.TXT",
              "Label,Bits,Match,Text,R,G,B,X,Y\r\n"
              "Mode,0-1,1,RUN,0,255,0,0,0\r\n"
              "Mode,0-1,others,STOP,255,0,0,0,0\r\n"
              "Err,7,1,ERR,255,0,0,1,0\r\n");
    CMonitorModel model(4);
    model.Load(dir.Path(), {});
    model.FrameIn("$QVR,MON,81,5*00\r\n");  // 0x81: mode 1, error bit set
    model.Tick();
    const std::vector<NamedStatusCell> cells = model.StatusCells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].item, "state");
    EXPECT_EQ(cells[0].cell.label, "Mode");
    EXPECT_EQ(cells[0].cell.text, "RUN");
    EXPECT_EQ(cells[0].cell.g, 255);
    EXPECT_EQ(cells[1].cell.text, "ERR");
}

}  // namespace
}  // namespace quelda
