// The page checksum and the signature block a write carries.
#include <gtest/gtest.h>

#include "eeprom/EepromData.h"
#include "eeprom/ItemWord.h"
#include "eeprom/PageChecksum.h"

namespace quelda {
namespace {

using Access = EepromAccess;

TEST(PageChecksumTest, ByteAccessFoldsEveryByteWordAccessXorsTheWords) {
    std::vector<uint32_t> words(kItemsPerPage, 0);
    for (std::size_t k = 28; k < 32; ++k) words[k] = 0x01010101;
    EXPECT_EQ(PageChecksum(Access::Byte, words), 0u);  // 16 ones cancel
    words[31] = 0x01010180;
    EXPECT_EQ(PageChecksum(Access::Byte, words), 0x81u);
    EXPECT_EQ(PageChecksum(Access::Word, words), 0x00000081u);
    words[0] = 0x12345678;
    EXPECT_EQ(PageChecksum(Access::Byte, words), 0x81u ^ 0x12 ^ 0x34 ^ 0x56 ^ 0x78);
    EXPECT_EQ(PageChecksum(Access::Word, words), 0x123456F9u);
}

TEST(PageChecksumTest, TakesThePagesItemsAsFarAsTheListGoes) {
    std::vector<EepromItem> items(FirstItemOfPage(2) + 1);
    for (EepromItem& item : items) item.hexValue = "1";
    items[0].hexValue = "FF";  // the header is on no page
    items.back().hexValue = "1F0E";
    // 32 words of 1: 32 ones among 128 bytes
    EXPECT_EQ(PageChecksum(Access::Byte, items, 1), 0u);
    EXPECT_EQ(PageChecksum(Access::Word, items, 1), 0u);
    items[1].hexValue = "3";
    EXPECT_EQ(PageChecksum(Access::Byte, items, 1), 2u);
    // page 2 has one item before the list ends, page 3 none
    EXPECT_EQ(PageChecksum(Access::Byte, items, 2), 0x11u);
    EXPECT_EQ(PageChecksum(Access::Word, items, 2), 0x1F0Eu);
    EXPECT_EQ(PageChecksum(Access::Word, items, 3), 0u);
}

TEST(SignatureTest, TheLettersAsBytesOrAsTwoWords) {
    const std::vector<uint32_t> bytes = SignatureValues(Access::Byte);
    EXPECT_EQ(bytes, (std::vector<uint32_t>{0x42, 0x4F, 0x52, 0x45, 0x4C, 0x49, 0x4E, 0x4B, 0, 0, 0,
                                            0, 0, 0, 0, 0}));
    const std::vector<uint32_t> words = SignatureValues(Access::Word);
    ASSERT_EQ(words.size(), 2u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(WordBytes(words[i / 4])[i % 4], bytes[i]) << i;
    }
}

}  // namespace
}  // namespace quelda
