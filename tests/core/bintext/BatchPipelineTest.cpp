#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bintext/BatchPipeline.h"
#include "monitor/CsvColumns.h"

namespace quelda {
namespace {

// Batches come back formatted and in the order they went in, whether the
// caller formats alone or helpers outnumber the processors.
TEST(BatchPipeline, ReturnsBatchesFormattedInOrder) {
    std::vector<MonitorItem> items;
    items.push_back(MonitorItem::FromColumns({"title"}, DefinitionForm::TypedBlock));
    items.push_back(MonitorItem::FromColumns({"1", "n", "UINT2LE", "1", "%u", "UINT"},
                                             DefinitionForm::TypedBlock));
    const CsvColumns columns(items);
    const BlockLineWriter lineWriter(items, columns);
    for (std::size_t helpers : {0, 1, 4}) {
        BatchPipeline pipeline(lineWriter, helpers);
        unsigned submitted = 0;
        unsigned taken = 0;
        while (taken < 40) {
            while (BlockBatch* batch = submitted < 40 ? pipeline.Free() : nullptr) {
                for (unsigned k = 0; k < 300; ++k) {
                    const unsigned n = submitted * 1000 + k;
                    const uint8_t bytes[2] = {static_cast<uint8_t>(n),
                                              static_cast<uint8_t>(n >> 8)};
                    batch->Add(bytes, 2, k + 1, k % 2 == 0);
                }
                pipeline.Submit(batch);
                ++submitted;
            }
            BlockBatch* batch = pipeline.Next();
            ASSERT_NE(batch, nullptr);
            std::string expected;
            for (unsigned k = 0; k < 300; k += 2)
                expected += std::to_string(taken * 1000 + k) + ",\r\n";
            ASSERT_EQ(std::string(batch->text.data(), batch->textSize), expected) << helpers;
            EXPECT_TRUE(batch->AllFormatted());
            EXPECT_EQ(batch->lines, 150u);
            pipeline.Recycle(batch);
            ++taken;
        }
        EXPECT_EQ(pipeline.Next(), nullptr);
    }
}

}  // namespace
}  // namespace quelda
