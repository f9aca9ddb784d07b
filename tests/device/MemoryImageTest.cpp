// The memory image: two views, the page table's special addresses.
#include "DeviceTestSupport.h"
#include "device/MemoryImage.h"

namespace quelda::test {
namespace {

using Access = CMemoryImage::Access;

class MemoryImageTest : public ::testing::Test {
protected:
    void SetUp() override { image.SetTable({{0x10, 0}, {0x100, 0x400}, {0x200, 0x401}}); }
    std::vector<uint32_t> Read(Access access, uint32_t addr) {
        std::vector<uint32_t> values;
        EXPECT_TRUE(image.Read(access, addr, values));
        return values;
    }
    bool Write(Access access, uint32_t addr, const std::vector<uint32_t>& values) {
        std::string reason;
        const bool ok = image.Write(access, addr, values, reason);
        EXPECT_EQ(ok, reason.empty()) << reason;
        return ok;
    }
    CMemoryImage image;
};

TEST_F(MemoryImageTest, ItemsLieMostSignificantByteFirstAndWordByWord) {
    ASSERT_TRUE(image.StoreItem(1, 1, 0x12345678));
    EXPECT_FALSE(image.StoreItem(3, 0, 1));  // no table line
    EXPECT_FALSE(image.StoreItem(0, 0, 1));  // the signature line holds no items
    const std::vector<uint32_t> bytes = Read(Access::Byte, 0x104);
    EXPECT_EQ(std::vector<uint32_t>(bytes.begin(), bytes.begin() + 5),
              (std::vector<uint32_t>{0x12, 0x34, 0x56, 0x78, 0}));
    EXPECT_EQ(Read(Access::Word, 0x101)[0], 0x12345678u);
    uint32_t word = 0;
    ASSERT_TRUE(image.LoadItem(Access::Byte, 1, 1, word));
    EXPECT_EQ(word, 0x12345678u);
}

TEST_F(MemoryImageTest, SealWritesSignatureAndChecksums) {
    image.StoreItem(1, 0, 0x01020304);
    image.StoreItem(2, 31, 0xF0000000);
    image.Seal();
    EXPECT_EQ(Read(Access::Byte, 0x10)[0], 0x42u);
    EXPECT_EQ(Read(Access::Byte, 0x10)[7], 0x4Bu);
    EXPECT_EQ(Read(Access::Word, 0x10)[1], 0x4C494E4Bu);
    EXPECT_EQ(Read(Access::Byte, 0x400)[0], 0x04u);  // 1 ^ 2 ^ 3 ^ 4
    EXPECT_EQ(Read(Access::Byte, 0x400)[1], 0xF0u);
    EXPECT_EQ(Read(Access::Word, 0x400)[0], 0x01020304u);
    EXPECT_EQ(image.Sum(Access::Byte), 0xF4u);
    EXPECT_EQ(image.Sum(Access::Word), 0xF1020304u);
}

TEST_F(MemoryImageTest, PageChecksumCoversExactlyThePage) {
    // in the byte view a page is 128 bytes: 0x17F counts, 0x180 does not
    Write(Access::Byte, 0x170, std::vector<uint32_t>(32, 0x01));
    EXPECT_EQ(image.PageChecksum(Access::Byte, 0x100), 0u);  // 16 ones inside
    Write(Access::Byte, 0x17F, {0x80});
    EXPECT_EQ(image.PageChecksum(Access::Byte, 0x100), 0x81u);
    // in the word view 32 words
    Write(Access::Word, 0x11F, {5});
    Write(Access::Word, 0x120, {7});
    EXPECT_EQ(image.PageChecksum(Access::Word, 0x100), 5u);
}

TEST_F(MemoryImageTest, RefusedWritesChangeNothing) {
    const struct {
        Access access;
        uint32_t addr;
        std::vector<uint32_t> values;
    } refused[] = {
        {Access::Byte, 0x100, {}},
        {Access::Byte, 0x100, std::vector<uint32_t>(33, 1)},
        {Access::Byte, 0x100, {0x100}},
        {Access::Byte, 0xFFFF, {1, 2}},  // runs past the memory
        {Access::Word, 0xFFFFFFFF, {1}},
        {Access::Byte, 0x10, {0x42}},  // a short signature
        {Access::Word, 0x10, {0x424F5245, 0}},
        {Access::Byte, 0x400, {1}},     // the page's checksum is 0
        {Access::Byte, 0x401, {0, 0}},  // a checksum is one value
    };
    for (const auto& w : refused) {
        std::string reason;
        EXPECT_FALSE(image.Write(w.access, w.addr, w.values, reason)) << w.addr;
        EXPECT_FALSE(reason.empty());
    }
    EXPECT_EQ(Read(Access::Byte, 0x100)[0], 0u);
    EXPECT_EQ(Read(Access::Byte, 0x10)[0], 0u);
    EXPECT_TRUE(Write(Access::Byte, 0x400, {0}));
    EXPECT_TRUE(Write(Access::Word, 0x10, {0x424F5245, 0x4C494E4B}));
}

TEST_F(MemoryImageTest, ReadsStayInsideTheMemory) {
    std::vector<uint32_t> values;
    EXPECT_TRUE(image.Read(Access::Byte, CMemoryImage::kMinSize - 32, values));
    EXPECT_FALSE(image.Read(Access::Byte, CMemoryImage::kMinSize - 31, values));
    EXPECT_FALSE(image.Read(Access::Word, 0xFFFFFFF0, values));
}

TEST(MemoryImageSizeTest, GrowsForFarPagesButNeverWrapsAddresses) {
    CMemoryImage image;
    image.SetTable({{0, 0}, {0x20000, 0x30000}});
    EXPECT_EQ(image.Size(Access::Byte), 0x30001u);
    // a page far beyond the largest memory is left out rather than wrapped
    image.SetTable({{0, 0}, {0xFFFFFFF0, 0x10}});
    EXPECT_EQ(image.Size(Access::Byte), CMemoryImage::kMaxSize);
    EXPECT_TRUE(image.StoreItem(1, 4, 0xAABBCCDD));
    std::vector<uint32_t> values;
    ASSERT_TRUE(image.Read(Access::Byte, 0, values));
    EXPECT_EQ(values, std::vector<uint32_t>(32, 0));
}

}  // namespace
}  // namespace quelda::test
