// The memory image from the program's EEPROM files, and back.
#include "DeviceTestSupport.h"
#include "device/EepromFiles.h"

namespace quelda::test {
namespace {

using Access = CMemoryImage::Access;

class EepromFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("tab.txt", "// pages\r\nSig,0,0\r\n\r\nP1,100,300\r\nP2,180,301\r\n");
        dir.Write("data.csv",
                  "// a comment line counts but is kept\r\n"
                  "name,type,lsb,format,unit,value,hex,display\r\n"
                  "A,INT4,1,%d,mm,5,5,INT4\r\n"
                  ",INT4,1,%d,,1,1,INT4\r\n"    // no name: dropped, A stays item 1
                  "B,INT4,10,%d,,12,,INT4\r\n"  // no hexValue: 12 x 10
                  "C,FLOAT4BE,1,%.2f,V,1.5,3FC00000,FLOAT,extra\r\n");
    }
    void Load() {
        problems.clear();
        LoadEepromImage(dir.File("tab.txt"), dir.File("data.csv"), 0, image, problems);
    }
    uint32_t Item(Access access, std::size_t page, uint32_t k) {
        uint32_t word = 0;
        EXPECT_TRUE(image.LoadItem(access, page, k, word));
        return word;
    }

    TempDir dir;
    CMemoryImage image;
    std::vector<std::string> problems;
};

TEST_F(EepromFilesTest, LoadsItemsWhereTheProgramExpectsThem) {
    Load();
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_EQ(image.Table().size(), 3u);
    EXPECT_EQ(image.Table()[2].start, 0x180u);
    EXPECT_EQ(Item(Access::Byte, 1, 0), 5u);
    EXPECT_EQ(Item(Access::Word, 1, 1), 120u);
    EXPECT_EQ(Item(Access::Byte, 1, 2), 0x3FC00000u);
    std::vector<uint32_t> values;
    ASSERT_TRUE(image.Read(Access::Byte, 0x300, values));
    EXPECT_EQ(values[0], 5u ^ 120u ^ 0x3Fu ^ 0xC0u);  // page 1's checksum, sealed
}

TEST_F(EepromFilesTest, SaveRewritesOnlyParameterLines) {
    Load();
    std::string reason;
    ASSERT_TRUE(image.Write(Access::Byte, 0x100, {0xFF, 0xFF, 0xFF, 0xFE}, reason));
    std::string error;
    ASSERT_TRUE(SaveEepromImage(image, Access::Byte, dir.File("data.csv"), error)) << error;
    EXPECT_EQ(dir.Read("data.csv"),
              "// a comment line counts but is kept\r\n"
              "name,type,lsb,format,unit,value,hex,display\r\n"
              "A,INT4,1,%d,mm,-2,FFFFFFFE,INT4\r\n"
              ",INT4,1,%d,,1,1,INT4\r\n"
              "B,INT4,10,%d,,12,78,INT4\r\n"
              "C,FLOAT4BE,1,%.2f,V,1.50,3FC00000,FLOAT,extra\r\n");
    // the word view is another memory: saving it keeps what it holds
    ASSERT_TRUE(SaveEepromImage(image, Access::Word, dir.File("data.csv"), error));
    EXPECT_NE(dir.Read("data.csv").find("A,INT4,1,%d,mm,5,5,INT4"), std::string::npos);
}

TEST_F(EepromFilesTest, ReportsWhatItCannotPlace) {
    dir.Write("tab.txt", "Sig,0,0\r\n");
    Load();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("3 parameters"), std::string::npos);
    LoadEepromImage(dir.File("missing.txt"), dir.File("missing.csv"), 0, image, problems);
    EXPECT_EQ(problems.size(), 3u);
    std::string error;
    EXPECT_FALSE(SaveEepromImage(image, Access::Byte, dir.File("missing.csv"), error));
}

}  // namespace
}  // namespace quelda::test
