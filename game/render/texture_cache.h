// TextureCache: GL textures by image file name. Each file is read and
// uploaded once; its texture lives as long as the cache. The cache is used
// only while the GL context that owns its textures is current.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

class TextureCache {
public:
    explicit TextureCache(int capacity = 50);
    ~TextureCache();  // deletes the textures it made

    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    // Reads and uploads the image unless the name is already cached. Takes
    // the next slot on success; a file that cannot be read, or a load with
    // every slot taken, stores nothing (the readers' reason for a file is
    // said once on standard error). True when the name is cached
    // afterwards.
    bool Load(const std::string& fileName);
    // The GL texture name, or -1 (with a message) for a name never loaded.
    // Names are case-sensitive. Never loads.
    int Lookup(const std::string& fileName) const;
    // What a draw binds for the name: its texture, or, for a name never
    // loaded, GL's texture 0 (after Lookup's message). Texture 0 holds no
    // image here, so the surface is drawn untextured, which is what GL
    // draws for any name without an image.
    unsigned int TextureToBind(const std::string& fileName) const;

    int Capacity() const { return capacity; }
    int UsedSlots() const { return last + 1; }

private:
    int capacity;
    int last = -1;  // index of the last used slot
    std::map<std::string, unsigned int> names;
    std::vector<unsigned int> ids;  // slot i: texture of the (i+1)-th load
    std::set<std::string> refusalsSaid;  // files whose readers' reason is on standard error
};

// A texture an object draws every frame: looked up by name on first use and
// kept once found. A name the cache lacks is looked up again each time, so
// its message still comes on every use, as a plain lookup's would.
class KeptTexture {
public:
    KeptTexture(const TextureCache* cache, const char* fileName) : cache(cache), fileName(fileName) {}
    // As TextureCache::TextureToBind; 0 without a cache.
    unsigned int Get() {
        if (found == 0 && cache) found = cache->TextureToBind(fileName);
        return found;
    }

private:
    const TextureCache* cache;
    const char* fileName;  // a string that outlives the object
    unsigned int found = 0;  // GL never names a texture 0
};
