#pragma once
// What a test needs of the system it runs on. Tests of what only POSIX
// systems have (symbolic links, file modes, FIFOs, /dev, resource limits,
// pseudo-terminals) are compiled there only; on Windows one skipped test
// stands for each such group, so the run names what it left out
// (tests/README.md lists them).

#include <gtest/gtest.h>

#ifdef _WIN32
#define MUX6_NUR_POSIX(gruppe, was)         \
    TEST(gruppe, NurPosix) {                \
        GTEST_SKIP() << "POSIX only: " was; \
    }
#else
#define MUX6_NUR_POSIX(gruppe, was)
#endif

namespace testsupport {

// Root writes into read-only files on POSIX: a read-only test means nothing there.
bool SchreibschutzGilt();

}  // namespace testsupport
