#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>

#include "bintext/BinTextConverter.h"
#include "monitor/CsvColumns.h"
#include "monitor/MonitorDefinition.h"
#include "support/TempDir.h"

namespace quelda {
namespace {

using Outcome = BinTextResult::Outcome;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes += static_cast<char>(v);
    return bytes;
}

// Blocks with their length in front (low byte first unless bigEndian).
std::string Log(const std::vector<std::string>& blocks, bool bigEndian = false) {
    std::string bytes = "a,b,\r\n";
    for (const std::string& data : blocks) {
        const std::size_t l = data.size() + 2;
        const char lo = static_cast<char>(l & 0xFF), hi = static_cast<char>(l >> 8);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
        bytes += data;
    }
    return bytes;
}

// Two fields: a byte in column 1 and a big-endian 16-bit word in column 2.
const char* const kDefinition =
    "// converter test\n"
    "Col,Name,Type,Scale,Format,Disp,Unit,X,Y,File,Offset\n"
    "1,Byte,UCHAR,1,%d,INT4,,0,0,,\n"
    "2,Word,UINT2BE,0.5,%.1f,FLOAT,,0,1,,1\n";

// Every kind of field, formats with widths, flags, text around the value
// and a jump; columns in item order.
const char* const kInOrder =
    "title\n"
    "1,A,CHAR,1,%d,INT4\n"
    "2,B,UCHAR,1,%02x,UCHAR\n"
    "3,C,INT2LE,0.01,%.2f,FLOAT\n"
    "4,D,UINT2BE,0.1,%-8.1f|,FLOAT,,,,,-40\n"
    "5,E,INT4BE,1,%+d,INT4\n"
    "6,F,UINT4LE,1,%08X,UINT4\n"
    "7,Skip,JUMP2\n"
    "8,G,FLOAT4LE,1,%g,FLOAT\n"
    "9,H,FLOAT4BE,1,%.3e,FLOAT\n"
    "10,I,FLOAT8LE,1,%12.4f,FLOAT\n"
    "11,J,FLOAT8BE,1,x=%G,FLOAT\n"
    "12,K,FLOATDSP,1,% .5f,FLOAT\n"
    "13,L,INT2BE,1,%u,UINT\n"
    "14,M,UINT4BE,0.001,%.9f,FLOAT\n";

// The same fields shown in other columns: some empty, one item hidden by
// a later one, the rest in falling order.
const char* const kShuffled =
    "title\n"
    "9,A,CHAR,1,%d,INT4\n"
    "8,B,UCHAR,1,%02x,UCHAR\n"
    "2,C,INT2LE,0.01,%.2f,FLOAT\n"
    "7,D,UINT2BE,0.1,%-8.1f|,FLOAT,,,,,-40\n"
    "6,E,INT4BE,1,%+d,INT4\n"
    "2,F,UINT4LE,1,%08X,UINT4\n"
    "0,Skip,JUMP2\n"
    "4,G,FLOAT4LE,1,%g,FLOAT\n"
    "3,H,FLOAT4BE,1,%.3e,FLOAT\n";

constexpr std::size_t kFields = 1 + 1 + 2 + 2 + 4 + 4 + 2 + 4 + 4 + 8 + 8 + 4 + 2 + 4;

// Random blocks with the file position after each.
struct BlockLog {
    std::vector<std::string> blocks;
    std::string bytes;
    std::vector<uint64_t> ends;
};

// Random field bytes (any float bit pattern included), a random tail, and
// now and then a block near the largest size.
BlockLog RandomLog(std::size_t count) {
    BlockLog log;
    uint64_t state = 12345;
    uint64_t end = Log({}).size();
    for (std::size_t k = 0; k < count; ++k) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const std::size_t size = k % 500 == 250 ? 60000 : kFields + (state >> 40) % 40;
        std::string data(size, '\0');
        for (char& c : data) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            c = static_cast<char>(state >> 56);
        }
        log.blocks.push_back(data);
        end += size + 2;
        log.ends.push_back(end);
    }
    log.bytes = Log(log.blocks);
    return log;
}

// The lines decoding item by item gives, for blocks 0, rate, 2 rate, ...
// that all hold every field.
std::string Expected(const BlockLog& log, const std::string& definitionFile, std::size_t count,
                     int rate) {
    std::vector<MonitorItem> items =
        LoadMonitorDefinition(definitionFile, DefinitionForm::TypedBlock, "");
    const CsvColumns columns(items);
    std::string out = columns.Header(items, "");
    for (std::size_t k = 0; k < count; k += static_cast<std::size_t>(rate)) {
        const std::string& data = log.blocks[k];
        long long p = 0;
        for (std::size_t i = 1; i < items.size(); ++i) {
            p = items[i]
                    .codec
                    .DecodeBinary(reinterpret_cast<const uint8_t*>(data.data()), data.size(), p,
                                  items[i].value)
                    .next;
        }
        columns.AppendLine(items, out);
    }
    return out;
}

// The progress a sequential conversion reports through `blocks` blocks.
std::vector<uint64_t> ProgressThrough(const BlockLog& log, std::size_t blocks) {
    std::vector<uint64_t> expected = {0, Log({}).size()};  // opened, header line read
    expected.insert(expected.end(), log.ends.begin(), log.ends.begin() + blocks);
    return expected;
}

class BinTextConverterTest : public ::testing::Test {
protected:
    BinTextResult Run(const std::string& log, const std::string& definition, int rate = 1,
                      int lengthFormat = 0) {
        dir.Write("in.BIN", log);
        dir.Write("def.TXT", definition);
        BinTextRequest r;
        r.binaryFile = dir.File("in.BIN");
        r.definitionFile = dir.File("def.TXT");
        r.outputFile = dir.File("out.CSV");
        r.rate = rate;
        r.lengthFormat = lengthFormat;
        r.appDir = dir.Path();
        r.stop = &stopFlag;
        stopFlag = false;
        lastDone = 0;
        progress.clear();
        return BinTextConverter().Convert(r, [this, &log](uint64_t done, uint64_t total) {
            if (done < lastDone || total != log.size()) ADD_FAILURE() << done << " of " << total;
            if (done >= stopAt) stopFlag = true;
            lastDone = done;
            lastTotal = total;
            progress.push_back(done);
        });
    }
    std::string Output() const { return dir.Read("out.CSV"); }

    test::TempDir dir;
    uint64_t lastDone = 0;
    uint64_t lastTotal = 0;
    std::vector<uint64_t> progress;
    uint64_t stopAt = UINT64_MAX;  // the stop flag is set once progress reaches it
    std::atomic<bool> stopFlag{false};
};

TEST_F(BinTextConverterTest, ConvertsEveryNthBlock) {
    std::vector<std::string> blocks;
    for (char i = 0; i < 7; ++i) blocks.push_back(std::string{i, 0, static_cast<char>(2 * i)});
    const BinTextResult r = Run(Log(blocks), kDefinition, 3);
    EXPECT_EQ(r.outcome, Outcome::Completed);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.blocks, 7u);
    EXPECT_EQ(r.lines, 3u);
    EXPECT_EQ(Output(), "Byte,Word,\r\n0,1.0,\r\n3,4.0,\r\n6,7.0,\r\n");
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastTotal, Log(blocks).size());
}

TEST_F(BinTextConverterTest, BothLengthByteOrders) {
    const std::vector<std::string> blocks = {std::string(300, '\x01')};
    EXPECT_EQ(Run(Log(blocks, true), kDefinition, 1, 1).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), "Byte,Word,\r\n1,129.5,\r\n");
    EXPECT_EQ(Run(Log(blocks, false), kDefinition, 1, 0).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), "Byte,Word,\r\n1,129.5,\r\n");
}

TEST_F(BinTextConverterTest, ShortFilesAndBadLengths) {
    struct Case {
        std::string log;
        Outcome outcome;
        const char* message;
        const char* output;
    };
    const std::string header = "a,b,\r\n";
    const Case cases[] = {
        {"", Outcome::Completed, "", "Byte,Word,\r\n"},
        {header, Outcome::Completed, "", "Byte,Word,\r\n"},
        {"no line end", Outcome::Completed, "", "Byte,Word,\r\n"},
        {header + "\x01", Outcome::IncompleteBlock,
         "The last block of the BINARY file is incomplete", "Byte,Word,\r\n"},
        {header + Bytes({6, 0, 1, 2}), Outcome::IncompleteBlock,
         "The last block of the BINARY file is incomplete", "Byte,Word,\r\n"},
        {header + Bytes({0xFF, 0xFF}) + std::string(1000, 'x'), Outcome::IncompleteBlock,
         "The last block of the BINARY file is incomplete", "Byte,Word,\r\n"},
        {header + Bytes({0, 0}), Outcome::LengthInvalid,
         "The data length of the BINARY file =0 is abnormal", "Byte,Word,\r\n"},
        {Log({Bytes({5, 0, 4})}) + Bytes({1, 0}), Outcome::LengthInvalid,
         "The data length of the BINARY file =1 is abnormal", "Byte,Word,\r\n5,3.0,\r\n"},
        // an empty block is a block: the definition's first field lies outside it
        {Log({Bytes({5, 0, 4}), "", Bytes({6, 0, 0})}), Outcome::FieldOutside,
         "The data length of the BINARY file =0 or see definition =0 is abnormal",
         "Byte,Word,\r\n5,3.0,\r\n"},
    };
    for (const Case& c : cases) {
        const BinTextResult r = Run(c.log, kDefinition);
        EXPECT_EQ(r.outcome, c.outcome) << c.message;
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(Output(), c.output) << c.message;
    }
}

TEST_F(BinTextConverterTest, TheLongestBlockConverts) {
    const BinTextResult r = Run(Log({std::string(65533, '\x02')}), kDefinition);
    EXPECT_EQ(r.outcome, Outcome::Completed);
    EXPECT_EQ(Output(), "Byte,Word,\r\n2,258.0,\r\n");
}

TEST_F(BinTextConverterTest, FieldsMustLieInsideTheBlock) {
    const std::string byteOnly = "t\n1,Byte,UCHAR,1,%d,INT4\n";
    struct Case {
        std::string definition;
        Outcome outcome;
        const char* message;
    };
    const Case cases[] = {
        {kDefinition, Outcome::Completed, ""},  // the fields end exactly at the block's end
        {std::string(kDefinition) + "3,More,UCHAR,1,%d,INT4\n", Outcome::FieldOutside,
         "The data length of the BINARY file =3 or see definition =3 is abnormal"},
        {std::string(kDefinition) + "3,Unknown,WORD,1,%d,INT4\n", Outcome::FieldOutside,
         "The data length of the BINARY file =3 or see definition =3 is abnormal"},
        {byteOnly + "2,J,JUMP1\n3,Wide,INT2LE,1,%d,INT4\n", Outcome::FieldOutside,
         "The data length of the BINARY file =3 or see definition =2 is abnormal"},
        {byteOnly + "2,J,JUMP-1\n3,Wide,INT4LE,1,%d,INT4\n", Outcome::FieldOutside,
         "The data length of the BINARY file =3 or see definition =0 is abnormal"},
        {byteOnly + "2,J,JUMP-9\n3,After,UCHAR,1,%d,INT4\n", Outcome::FieldOutside,
         "The data length of the BINARY file =3 or see definition =-8 is abnormal"},
        {byteOnly + "2,J,JUMP-9\n", Outcome::Completed, ""},  // nothing read after it
        {byteOnly + "2,J,JUMP-1\n3,Again,UCHAR,1,%d,INT4\n", Outcome::Completed, ""},
    };
    for (const Case& c : cases) {
        const BinTextResult r = Run(Log({Bytes({1, 0, 2}), Bytes({3, 0, 4})}), c.definition);
        EXPECT_EQ(r.outcome, c.outcome) << c.definition;
        EXPECT_EQ(r.message, c.message) << c.definition;
        const bool failed = c.outcome != Outcome::Completed;
        EXPECT_EQ(r.lines, failed ? 0u : 2u) << c.definition;
        EXPECT_FALSE(r.KeepsDialogOpen());
    }
    EXPECT_EQ(Output(), "Byte,J,Again,\r\n1,,1,\r\n3,,3,\r\n");
}

TEST_F(BinTextConverterTest, ColumnsTakeTheLastItemAndJumpCellsStayEmpty) {
    const char* definition =
        "title\n"
        "2,First,UCHAR,1,%d,INT4\n"
        "4,Skip,JUMP1,1,%d,INT4\n"
        "2,Second,UCHAR,1,%d,INT4\n"
        "3,Status,UCHAR,1,%d,STATUS,,0,0,ST.TXT\n";
    dir.Write("ST.TXT", "title\nx,0,1,ON,1,1,1,0,0\n");
    EXPECT_EQ(Run(Log({Bytes({7, 0, 8, 9})}), definition).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), ",Second,Status,Skip,\r\n,8,9,,\r\n");
}

TEST_F(BinTextConverterTest, BadFormatsShowTheMarker) {
    const char* definition =
        "t\n1,A,UCHAR,1,%s,INT4\n2,B,UCHAR,1,%.500f,FLOAT\n3,C,UCHAR,1,,INT4\n";
    EXPECT_EQ(Run(Log({"\x01\x02\x03"}), definition).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), "A,B,C,\r\n#FMT?,#FMT?,,\r\n");
}

TEST_F(BinTextConverterTest, WithoutDefinitionEachConvertedBlockIsAnEmptyLine) {
    dir.Write("in.BIN", Log({"\x01", "\x02", "\x03"}));
    BinTextRequest r;
    r.binaryFile = dir.File("in.BIN");
    r.definitionFile = dir.File("missing.TXT");
    r.outputFile = dir.File("out.CSV");
    r.rate = 2;
    EXPECT_EQ(BinTextConverter().Convert(r).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), "\r\n\r\n\r\n");
}

TEST_F(BinTextConverterTest, RateAndFileFailuresAreReported) {
    dir.Write("out.CSV", "old");
    const BinTextResult rate = Run(Log({"\x01\x02\x03"}), kDefinition, 0);
    EXPECT_EQ(rate.outcome, Outcome::RateInvalid);
    EXPECT_EQ(rate.message, "Value of the conversion ratio is abnormal");
    EXPECT_TRUE(rate.KeepsDialogOpen());
    EXPECT_EQ(Output(), "old");  // no file touched

    BinTextRequest r;
    r.binaryFile = dir.File("none.BIN");
    r.definitionFile = dir.File("def.TXT");
    r.outputFile = dir.File("out.CSV");
    EXPECT_EQ(BinTextConverter().Convert(r).message, "The BINARY file cannot be opened");
    EXPECT_EQ(Output(), "old");
    r.binaryFile = dir.File("in.BIN");
    r.outputFile = dir.File("no/such/dir.CSV");
    EXPECT_EQ(BinTextConverter().Convert(r).message, "The output file cannot be created");
    r.outputFile = dir.File("in.BIN");
    EXPECT_EQ(BinTextConverter().Convert(r).message, "The output file must not be an input file");
    r.outputFile = dir.Path() + "./def.TXT";
    EXPECT_EQ(BinTextConverter().Convert(r).message, "The output file must not be an input file");
    EXPECT_EQ(dir.Read("in.BIN"), Log({"\x01\x02\x03"}));
    r.outputFile = dir.File("full.CSV");
    {
        test::FileSizeLimit limit(4);
        EXPECT_EQ(BinTextConverter().Convert(r).message, "The output file cannot be written");
    }
}

TEST_F(BinTextConverterTest, ManyBlocksGiveTheItemByItemLines) {
    const std::size_t count = 6000;  // several megabytes: many batches
    const BlockLog log = RandomLog(count);
    for (const char* definition : {kInOrder, kShuffled}) {
        for (int rate : {1, 7}) {
            const BinTextResult r = Run(log.bytes, definition, rate);
            EXPECT_EQ(r.outcome, Outcome::Completed) << r.message;
            EXPECT_EQ(r.blocks, count);
            EXPECT_EQ(r.lines, (count + rate - 1) / rate);
            ASSERT_EQ(Output(), Expected(log, dir.File("def.TXT"), count, rate))
                << definition << " rate " << rate;
            EXPECT_EQ(progress, ProgressThrough(log, count));
        }
    }
}

TEST_F(BinTextConverterTest, LateFailuresStopAtTheirBlock) {
    const std::size_t bad = 4321;
    struct Case {
        std::string tail;  // bytes after the good blocks
        bool moreBlocks;   // good blocks after the tail, never to be read
        Outcome outcome;
        std::string message;
        uint64_t blocks;
    };
    const Case cases[] = {
        {std::string("\x0C\x00", 2) + std::string(10, '\x01'), true, Outcome::FieldOutside,
         "The data length of the BINARY file =10 or see definition =10 is abnormal", bad + 1},
        {std::string("\x01\x00", 2), true, Outcome::LengthInvalid,
         "The data length of the BINARY file =1 is abnormal", bad},
        {std::string("\x40\x00\x01", 3), false, Outcome::IncompleteBlock,
         "The last block of the BINARY file is incomplete", bad},
    };
    for (const Case& c : cases) {
        BlockLog log = RandomLog(bad);
        log.bytes += c.tail;
        if (c.moreBlocks) log.bytes += RandomLog(50).bytes.substr(Log({}).size());
        const BinTextResult r = Run(log.bytes, kInOrder);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.blocks, c.blocks);
        EXPECT_EQ(r.lines, bad);
        EXPECT_EQ(Output(), Expected(log, dir.File("def.TXT"), bad, 1)) << c.message;
        EXPECT_EQ(progress, ProgressThrough(log, bad)) << c.message;
    }
}

TEST_F(BinTextConverterTest, AStopKeepsTheCompleteLinesBeforeIt) {
    const std::size_t count = 6000;
    const BlockLog log = RandomLog(count);
    stopAt = log.ends[1000];
    const BinTextResult r = Run(log.bytes, kInOrder);
    EXPECT_EQ(r.outcome, Outcome::Stopped);
    EXPECT_EQ(r.message,
              "The conversion was stopped; the output file keeps the lines written so far");
    EXPECT_TRUE(r.KeepsDialogOpen());
    // the batch under way when the flag was set is finished, nothing after it
    EXPECT_GT(r.lines, 1000u);
    EXPECT_LT(r.lines, count);
    EXPECT_EQ(r.blocks, r.lines);
    EXPECT_EQ(Output(), Expected(log, dir.File("def.TXT"), r.lines, 1));
    EXPECT_EQ(progress, ProgressThrough(log, r.blocks));

    // set before the first block: only the header line
    stopAt = 0;
    EXPECT_EQ(Run(log.bytes, kInOrder).outcome, Outcome::Stopped);
    EXPECT_EQ(Output(), Expected(log, dir.File("def.TXT"), 0, 1));
}

// Lines of tens of kilobytes: a batch's text is written in pieces, and a
// failure in a later piece still ends the output at the block before it.
TEST_F(BinTextConverterTest, LongLinesAreWrittenInPieces) {
    const std::string definition = "t\n60000,Far,UCHAR,1,%d,INT4\n";
    const std::string commas(59999, ',');
    std::vector<std::string> blocks;
    std::string expected = commas + "Far,\r\n";
    std::string expectedBefore70;
    for (int k = 0; k < 100; ++k) {
        if (k == 70) expectedBefore70 = expected;
        blocks.push_back(std::string(1, static_cast<char>(k)));
        expected += commas + std::to_string(k) + ",\r\n";
    }
    EXPECT_EQ(Run(Log(blocks), definition).outcome, Outcome::Completed);
    EXPECT_EQ(Output(), expected);
    EXPECT_EQ(progress.size(), 2 + blocks.size());
    EXPECT_EQ(progress.back(), Log(blocks).size());

    blocks[70].clear();
    const BinTextResult r = Run(Log(blocks), definition);
    EXPECT_EQ(r.outcome, Outcome::FieldOutside);
    EXPECT_EQ(r.lines, 70u);
    EXPECT_EQ(r.blocks, 71u);
    EXPECT_EQ(Output(), expectedBefore70);
    EXPECT_EQ(progress.size(), 2u + 70u);
}

}  // namespace
}  // namespace quelda
