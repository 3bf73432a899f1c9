#include "storage/checksum.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Pruefsumme, EinsPlusSummeModulo65536) {
    EXPECT_EQ(storage::Pruefsumme(Bytes{0x01, 0x02, 0x03}), 0x0007);
    EXPECT_EQ(storage::Pruefsumme(Bytes{}), 0x0001);
    // 257 bytes of 0xFF: 1 + 257 * 255 = 65536 -> wraps to 0.
    EXPECT_EQ(storage::Pruefsumme(Bytes(257, 0xFF)), 0x0000);
    EXPECT_EQ(storage::Pruefsumme(Bytes(258, 0xFF)), 0x00FF);
    EXPECT_EQ(storage::Pruefsumme(Bytes(300, 0xFF)), static_cast<std::uint16_t>(300 * 255 + 1));
}

}  // namespace
