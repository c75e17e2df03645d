// Context keys: code that keeps GL objects per context must never mistake
// a new context for a destroyed one.
#include "framework/platform/current_context.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/gl_context.h"

namespace ondra {
namespace {

TEST(CurrentContextKey, EachContextGetsAKeyNeverUsedBefore) {
    std::set<const void*> seen;
    for (int i = 0; i < 8; ++i) {
        test::ScopedGLContext context(16, 16);
        ASSERT_TRUE(context.ok());
        const void* key = platform::CurrentContextKey();
        ASSERT_NE(nullptr, key);
        EXPECT_TRUE(seen.insert(key).second) << "key reused after its context was destroyed";
    }
    EXPECT_EQ(nullptr, platform::CurrentContextKey());
}

}  // namespace
}  // namespace ondra
