// Pictures tests keep for a person to look at. They go to the build's
// test-pictures/ folder, never the working folder, which tests share.
#pragma once

#include <string>

namespace ondra::test {

std::string PicturePath(const std::string& name);
// Saves the buffer read now (glReadBuffer) as a binary PPM picture at
// PicturePath(name).
bool SavePicture(const std::string& name, int width, int height);

}  // namespace ondra::test
