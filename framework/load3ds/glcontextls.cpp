// ContextStore: a short list of (context, record) pairs searched linearly;
// a program has a handful of GL contexts at most.
#include "framework/load3ds/glcontextls.h"

#include <new>

#include "framework/fatal.h"

namespace ondra {

ContextStore::ContextStore() : extra(new (std::nothrow) std::vector<Entry>) {
    ONDRA_ASSERT(extra!=NULL, "load3ds/glcontextls");
}

ContextStore::~ContextStore() { delete extra; }

ContextStore::Entry* ContextStore::Find(const void* context) {
    if (!context) return nullptr;
    for (Entry& entry : *extra)
        if (entry.context == context) return &entry;
    return nullptr;
}

ModelGLData* ContextStore::RecordOf(const void* context) {
    Entry* entry = Find(context);
    return entry ? entry->record.get() : nullptr;
}

ModelGLData* ContextStore::EnsureRecord(const void* context) {
    if (!context) return nullptr;
    if (Entry* entry = Find(context)) return entry->record.get();
    std::unique_ptr<ModelGLData> record(new (std::nothrow) ModelGLData{});
    if (!record) return nullptr;
    extra->push_back({context, std::move(record)});
    return extra->back().record.get();
}

bool ContextStore::Remove(const void* context) {
    Entry* entry = Find(context);
    if (!entry) return false;
    extra->erase(extra->begin() + (entry - extra->data()));
    return true;
}

int ContextStore::Count() const { return static_cast<int>(extra->size()); }

const void* ContextStore::ContextAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return (*extra)[index].context;
}

}  // namespace ondra
