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
// With PlainTextureNamesOnly set, only the plain names, which alone the
// reader reads then.
std::vector<std::string> TextureFileNames(const char* modelFile);

// A texture name without a folder: no '/', '\\' or ':' (a drive) and not
// "." or "..", so it names a file in the folder textures are read from.
bool IsPlainTextureName(const std::string& name);

// From then on, a texture a model names by anything but a plain name is
// not read: its material is drawn untextured, as for a missing file, and
// the warning stream names the model and the texture. A program reading
// models from a data folder asks for it (the game), so that a model cannot
// make it read, or refuse to write, files elsewhere; tools that view a
// model where it lies read what it names.
void PlainTextureNamesOnly(bool only);
bool PlainTextureNamesOnly();

}  // namespace ondra
