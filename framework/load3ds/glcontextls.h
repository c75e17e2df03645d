// ContextStore: GL objects kept per rendering context. Display lists and
// texture names belong to the context they were made in, so a model drawn
// in several windows keeps one record per context. The store only keeps
// the records: the drawing code says which context is current, so that the
// store (and the model reader that owns one) needs no window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ondra {

// The display lists and texture names of one model in one context.
struct ModelGLData {
    uint32_t materialListBase;   // list of material 0
    uint32_t objectListBase;     // list of object 0
    uint32_t materialListCount;
    uint32_t objectListCount;
    uint32_t* textures;          // one GL texture name per material, or null
    uint32_t textureCount;
    int32_t mode;                // draw mode the lists were compiled for
    int32_t generation;          // model generation they were compiled for
};

class ContextStore {
public:
    ContextStore();
    virtual ~ContextStore();  // frees the records, not their GL objects
    ContextStore(const ContextStore&) = delete;
    ContextStore& operator=(const ContextStore&) = delete;

    // The record of `context`, or null (always for a null context).
    ModelGLData* RecordOf(const void* context);
    // The record of `context`, made zeroed when it has none yet; null for
    // a null context (none is current) or when memory runs out.
    ModelGLData* EnsureRecord(const void* context);
    // Forgets the context and frees its record.
    bool Remove(const void* context);

    int Count() const;
    const void* ContextAt(int index) const;  // null when out of range

private:
    struct Entry {
        const void* context;
        std::unique_ptr<ModelGLData> record;
    };

    Entry* Find(const void* context);

    std::vector<Entry>* extra;
};

}  // namespace ondra
