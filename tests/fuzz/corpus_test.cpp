// A fuzz target's corpus as ordinary tests: each file of the target's corpus
// folder is one test that hands the file's bytes to the target's entry
// function. The target aborts on what it must not see, so a failing case
// shows as a crashed test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Korpus() {
    std::vector<fs::path> dateien;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(MUX6_FUZZ_KORPUS, ec))
        if (e.is_regular_file())
            dateien.push_back(e.path());
    std::sort(dateien.begin(), dateien.end());
    return dateien;
}

// A test name from the file name: letters, digits and '_' only.
std::string Name(const testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

// The suite is named after the target (MUX6_FUZZ_ZIEL, a name, not a
// string), so the corpora of several targets stay apart in CTest; the macros
// below expand it before GoogleTest pastes it into its names.
#define MUX6_TEST(suite, name) TEST(suite, name)
#define MUX6_TEST_P(suite, name) TEST_P(suite, name)
#define MUX6_INSTANTIATE(prefix, suite, ...) INSTANTIATE_TEST_SUITE_P(prefix, suite, __VA_ARGS__)

MUX6_TEST(KorpusVorhanden, MUX6_FUZZ_ZIEL) {
    EXPECT_FALSE(Korpus().empty()) << MUX6_FUZZ_KORPUS;
}

class MUX6_FUZZ_ZIEL : public testing::TestWithParam<fs::path> {};

MUX6_TEST_P(MUX6_FUZZ_ZIEL, Verkraftet) {
    const std::string inhalt = testsupport::Lesen(GetParam());
    EXPECT_EQ(
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(inhalt.data()), inhalt.size()),
        0);
}

MUX6_INSTANTIATE(Korpus, MUX6_FUZZ_ZIEL, testing::ValuesIn(Korpus()), Name);

}  // namespace
