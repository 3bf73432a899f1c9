#include "storage/fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A field that does not lie wholly inside the bytes is refused, not read;
// the same field one byte earlier is read.
TEST(Feldleser, FeldHinterDemEndeWirdAbgewiesen) {
    std::vector<std::uint8_t> bytes;
    storage::Feldschreiber w(bytes);
    w.Int32(-2);
    w.Double(2.5);
    w.Text("Größe", 7);
    w.Int8(-3);
    ASSERT_EQ(bytes.size(), 20u);
    const storage::Feldleser r(bytes);
    EXPECT_EQ(r.Int32(0), -2);
    EXPECT_EQ(r.Double(4), 2.5);
    EXPECT_EQ(r.Text(12, 7), "Größe");
    EXPECT_EQ(r.Int8(19), -3);
    struct Fall {
        const char* feld;
        bool refused;
    };
    const Fall faelle[] = {
        {"Int32 at 17", !r.Int32(17)},
        {"Int32 far out", !r.Int32(SIZE_MAX - 1)},
        {"Double at 13", !r.Double(13)},
        {"Int8 at 20", !r.Int8(20)},
        {"Text 12..20", !r.Text(12, 9)},
        {"Rohtext past the end", !r.Rohtext(20, 1)},
        {"Teil wrapping round", !r.Teil(1, SIZE_MAX)},
    };
    for (const Fall& f : faelle)
        EXPECT_TRUE(f.refused) << f.feld;
    EXPECT_TRUE(r.Rohtext(20, 0).has_value());  // an empty field at the very end
}

}  // namespace
