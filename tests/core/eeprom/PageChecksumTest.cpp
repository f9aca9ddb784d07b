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
    // the first item 1, the others 0
    for (std::size_t i = 2; i < FirstItemOfPage(2); ++i) items[i].hexValue = "0";
    items[1].hexValue = "1";
    EXPECT_EQ(PageChecksum(Access::Byte, items, 1), 1u);
    EXPECT_EQ(PageChecksum(Access::Word, items, 1), 1u);
    for (std::size_t i = 1; i < FirstItemOfPage(2); ++i) items[i].hexValue = "1";
    // page 2 has one item before the list ends, page 3 none
    EXPECT_EQ(PageChecksum(Access::Byte, items, 2), 0x11u);
    EXPECT_EQ(PageChecksum(Access::Word, items, 2), 0x1F0Eu);
    EXPECT_EQ(PageChecksum(Access::Word, items, 3), 0u);
}

TEST(PageChecksumTest, AShortPageIsReportedByItsGroups) {
    const std::string t = "Checksum created during the EEPROM data has ended";
    using Texts = std::vector<std::string>;
    const std::size_t p2 = FirstItemOfPage(2);  // list sizes relative to page 2
    EXPECT_EQ(ChecksumShortfallTexts(Access::Byte, p2 + 32, 2), Texts{});
    EXPECT_EQ(ChecksumShortfallTexts(Access::Byte, p2 + 40, 2), Texts{});
    EXPECT_EQ(ChecksumShortfallTexts(Access::Byte, p2, 2), Texts{t});
    EXPECT_EQ(ChecksumShortfallTexts(Access::Word, 1, 2), Texts{t});
    EXPECT_EQ(ChecksumShortfallTexts(Access::Byte, p2 + 8, 2), Texts{t});
    EXPECT_EQ(ChecksumShortfallTexts(Access::Byte, p2 + 9, 2), (Texts{t + " ", t}));
    EXPECT_EQ(ChecksumShortfallTexts(Access::Word, p2 + 8, 2), (Texts{t, t}));
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
