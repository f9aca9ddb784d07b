#include <gtest/gtest.h>

#include "../config/TempDir.h"
#include "bintext/BinTextConverter.h"

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
        lastDone = 0;
        return BinTextConverter().Convert(r, [this](uint64_t done, uint64_t total) {
            EXPECT_GE(done, lastDone);
            EXPECT_LE(done, total);
            lastDone = done;
            lastTotal = total;
        });
    }
    std::string Output() const { return dir.Read("out.CSV"); }

    test::TempDir dir;
    uint64_t lastDone = 0;
    uint64_t lastTotal = 0;
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

}  // namespace
}  // namespace quelda
