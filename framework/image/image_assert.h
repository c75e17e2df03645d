// Fatal assertions of the image code: print the expression, the source name
// and the line, then stop the process.
#pragma once

namespace ondra {
namespace image_internal {

[[noreturn]] void AssertionFailed(const char* expression, int line);

}  // namespace image_internal
}  // namespace ondra

#define ONDRA_IMAGE_ASSERT(expression) \
    ((expression) ? (void)0 : ::ondra::image_internal::AssertionFailed(#expression, __LINE__))
