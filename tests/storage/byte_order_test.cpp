#include "storage/byte_order.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Bytefolge, LittleEndianFelderAngehaengtUndGelesen) {
    Bytes b = {0xAA};
    storage::PutLE32(b, 0x12345678);
    storage::PutLEDouble(b, 1.0);  // 0x3FF0000000000000
    EXPECT_EQ(b, (Bytes{0xAA, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(storage::GetLE32(b, 1), 0x12345678u);
    EXPECT_EQ(storage::GetLEDouble(b, 5), 1.0);
}

TEST(Bytefolge, DoubleBleibtBitgenau) {
    for (double d : {-0.0, 1e-310, std::numeric_limits<double>::max(),
                     -std::numeric_limits<double>::infinity()}) {
        Bytes b;
        storage::PutLEDouble(b, d);
        const double zurueck = storage::GetLEDouble(b, 0);
        EXPECT_EQ(std::signbit(zurueck), std::signbit(d));
        EXPECT_EQ(zurueck, d);
    }
}

TEST(Bytefolge, BigEndianAnSeinerStelle) {
    Bytes b(5, 0xEE);
    storage::SetBE16(b, 1, 0xA1B2);
    EXPECT_EQ(b, (Bytes{0xEE, 0xA1, 0xB2, 0xEE, 0xEE}));
    EXPECT_EQ(storage::GetBE16(b, 1), 0xA1B2);
    EXPECT_EQ(storage::GetBE16(b, 3), 0xEEEE);
}

}  // namespace
