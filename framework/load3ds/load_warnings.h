// Warnings of the 3DS reader about damaged files it repaired while loading.
// They go to standard error unless a program chooses another stream (or
// none: fuzzers and benchmarks load damaged files by the million).
#pragma once

#include <cstdio>
#include <string>

#include "framework/printf_check.h"

namespace ondra {

// nullptr silences the warnings; the default is stderr.
void SetModelWarningStream(FILE* stream);

void ModelWarning(const char* format, ...) ONDRA_PRINTF(1, 2);

// A texture file a material names that does not load gets "warning:
// Unable to load texture NAME" on standard output for every material that
// names it, by default. A program that loads many models naming the same
// files (the game) asks for it once per name instead, each with its
// reason on the warning stream.
void WarnOncePerTexture(bool once);

// Reports the texture `name` that did not load, as chosen above; `why`
// is the image readers' reason.
void TextureNotLoaded(const std::string& name, const std::string& why);
// Reports the texture `name` the model `model` names that is not read for
// its name (PlainTextureNamesOnly): the line on standard output of a
// texture that did not load, and on the warning stream the model, the
// texture and why, once per model and texture.
void TextureRefused(const std::string& model, const std::string& name);

}  // namespace ondra
