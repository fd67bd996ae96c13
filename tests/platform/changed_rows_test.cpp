#include "platform/changed_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Rows of every length around the compare's block and vector sizes, with one or two bytes
// changed anywhere: the columns found are exactly those, and an unchanged row has none.
TEST(ChangedColumns, FindsTheFirstAndLastChangedPixelInRowsOfAnyLength) {
    for (const int bytesPerPixel : {3, 4}) {
        for (int count = 1; count <= 40; ++count) {
            const size_t bytes = static_cast<size_t>(count) * bytesPerPixel;
            std::vector<uint8_t> kept(bytes);
            for (size_t i = 0; i < bytes; ++i)
                kept[i] = static_cast<uint8_t>(i * 7 + 1);
            std::vector<uint8_t> row = kept;
            EXPECT_FALSE(platform::changedColumns(row.data(), kept.data(), count, bytesPerPixel));
            for (size_t first = 0; first < bytes; ++first) {
                const size_t last = bytes - 1 - first / 2;
                row = kept;
                row[first] ^= 0x80;
                row[last] ^= 0x01;
                const auto columns =
                    platform::changedColumns(row.data(), kept.data(), count, bytesPerPixel);
                ASSERT_TRUE(columns) << count << " pixels, byte " << first;
                const int lastPixel = static_cast<int>(std::max(first, last)) / bytesPerPixel;
                EXPECT_EQ(columns->first, static_cast<int>(std::min(first, last)) / bytesPerPixel);
                EXPECT_EQ(columns->second, lastPixel + 1);
            }
        }
    }
}

}  // namespace
