// The texture files a 3DS model names, read without loading the model:
// for a program that must know every file a model will make it read
// before it reads any, quietly (no trace, no warnings).
#pragma once

#include <string>
#include <vector>

namespace ondra {

// Every file name the model's materials give for their texture maps, and
// the names the reader tries in their place when one does not load
// ("a.tga" is also tried as "a_tga.jpg" and "a.jpg"), in file order,
// each once. Empty for a file that is no 3DS model or cannot be read.
std::vector<std::string> TextureFileNames(const char* modelFile);

}  // namespace ondra
