#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

// The real stores in ../shared/fixtures lie outside the project. Where they
// are absent a test that reads them skips, saying why; under CI (CI=true)
// every test must run, so their absence fails the test instead.
inline bool RunningUnderCI() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

// Ends the test unless `present`; `where` names the fixture looked for.
#define REQUIRE_SHARED_FIXTURE(present, where)                                         \
    do {                                                                               \
        if (!(present)) {                                                              \
            if (RunningUnderCI()) {                                                    \
                FAIL() << "no fixture stores in " << (where) << ", and CI needs them"; \
            }                                                                          \
            GTEST_SKIP() << "no fixture stores in " << (where);                        \
        }                                                                              \
    } while (false)
