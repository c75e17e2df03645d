// Loading images into GL textures once and finding them by file name.
#include "game/render/texture_cache.h"

#include <GL/gl.h>

#include <cstdio>

#include "framework/image.h"

TextureCache::TextureCache(int capacity)
    : capacity(capacity < 0 ? 0 : capacity), ids(static_cast<size_t>(this->capacity), 0u) {}

TextureCache::~TextureCache() {
    if (UsedSlots() > 0) glDeleteTextures(UsedSlots(), ids.data());
}

bool TextureCache::Load(const std::string& fileName) {
    if (names.count(fileName) != 0) return true;
    if (last + 1 >= capacity) {
        std::fprintf(stderr, "TextureCache: all %d texture slots are taken; \"%s\" is not loaded\n",
                     capacity, fileName.c_str());
        return false;
    }
    ondra::Image image;
    std::string whyNot;
    if (!image.Load(fileName.c_str(), whyNot)) {
        if (refusalsSaid.insert(fileName).second)
            std::fprintf(stderr, "compound: the image %s does not load: %s\n", fileName.c_str(), whyNot.c_str());
        return false;
    }
    ++last;
    glGenTextures(1, &ids[last]);
    glBindTexture(GL_TEXTURE_2D, ids[last]);
    image.BuildMipmaps2D();
    image.Clear();
    names.emplace(fileName, ids[last]);
    return true;
}

int TextureCache::Lookup(const std::string& fileName) const {
    const auto found = names.find(fileName);
    if (found == names.end()) {
        std::printf("There is no texture associated with the image file %s\n", fileName.c_str());
        return -1;
    }
    return static_cast<int>(found->second);
}

unsigned int TextureCache::TextureToBind(const std::string& fileName) const {
    const int name = Lookup(fileName);
    return name < 0 ? 0u : static_cast<unsigned int>(name);
}
