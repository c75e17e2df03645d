// What a test does when the machine lacks something it needs (an X display,
// a GL context, the XTEST extension): on a developer's machine it skips, but
// under continuous integration (the CI environment variable is set) the
// test server is supposed to provide all of these, so a missing one fails
// the test instead of letting a broken GL setup pass green.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/platform/inject.h"

namespace ondra::test {

inline bool RunningUnderCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

}  // namespace ondra::test

// Ends the current test, under Wine only, because Wine lacks what Windows
// has and the test checks (`reason` says what); the port keeps its Windows
// call. Each use is listed where the Windows build is described.
#define ONDRA_SKIP_WINE_GAP(reason)                                            \
    do {                                                                       \
        if (::ondra::platform::RunningUnderWine()) GTEST_SKIP() << "Wine lacks " << reason; \
    } while (0)

// Ends the current test (or its SetUp) because of `reason`; usable only
// where GTEST_SKIP and FAIL are, in functions returning void.
#define ONDRA_SKIP_OR_FAIL(reason)                                             \
    do {                                                                       \
        if (::ondra::test::RunningUnderCi()) {                                 \
            FAIL() << reason << " (required when CI is set)";                  \
        } else {                                                               \
            GTEST_SKIP() << reason;                                            \
        }                                                                      \
    } while (0)
