// ContextStore: a short list of (context, record) pairs searched linearly;
// a program has a handful of GL contexts at most.
#include "framework/load3ds/glcontextls.h"

#include <new>

#include "framework/fatal.h"
#include "framework/platform/current_context.h"

namespace ondra {

ContextStore::ContextStore() : extra(new (std::nothrow) std::vector<Entry>) {
    ONDRA_ASSERT(extra!=NULL, "load3ds/glcontextls");
}

ContextStore::~ContextStore() {
    for (Entry& entry : *extra) ::operator delete(entry.record);
    delete extra;
}

ContextStore::Entry* ContextStore::Find(const void* context, bool create) {
    if (!context) return nullptr;
    for (Entry& entry : *extra)
        if (entry.context == context) return &entry;
    if (!create) return nullptr;
    extra->push_back({context, nullptr});
    return &extra->back();
}

void* ContextStore::CurrentRecord() {
    Entry* entry = Find(platform::CurrentContextKey(), true);
    return entry ? entry->record : nullptr;
}

void* ContextStore::RecordOf(const void* context) {
    Entry* entry = Find(context, false);
    return entry ? entry->record : nullptr;
}

bool ContextStore::Allocate(size_t size) {
    const void* context = platform::CurrentContextKey();
    Entry* entry = Find(context, true);
    if (!entry) return false;
    if (size == 0) return Remove(context);
    ::operator delete(entry->record);
    entry->record = ::operator new(size, std::nothrow);
    return entry->record != nullptr;
}

bool ContextStore::Remove(const void* context) {
    Entry* entry = Find(context, false);
    if (!entry) return false;
    ::operator delete(entry->record);
    extra->erase(extra->begin() + (entry - extra->data()));
    return true;
}

int ContextStore::Count() const { return static_cast<int>(extra->size()); }

const void* ContextStore::ContextAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return (*extra)[index].context;
}

}  // namespace ondra
