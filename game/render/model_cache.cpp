// Loading 3DS models once and finding them by file name.
#include "game/render/model_cache.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/load3ds/model.h"
#include "game/core/vector3.h"

ModelCache::ModelCache() = default;
ModelCache::~ModelCache() = default;

bool ModelCache::Load(const std::string& fileName) {
    if (models.count(fileName) != 0) return true;
    auto model = std::make_unique<ondra::Model>();
    if (!model->Load(fileName.c_str())) return false;
    models.emplace(fileName, std::move(model));
    return true;
}

ondra::Model* ModelCache::Lookup(const std::string& fileName) const {
    const auto found = models.find(fileName);
    if (found == models.end()) {
        std::printf("There is no model associated with the model file %s\n", fileName.c_str());
        std::fflush(stdout);
        std::exit(1);
    }
    return found->second.get();
}

ondra::Model* ModelCache::Fetch(const std::string& fileName, float scale) {
    Load(fileName);
    ondra::Model* model = Lookup(fileName);
    // Rescaling rebuilds a model's lists; objects sharing it skip that.
    if (model->GetScale() != scale) model->SetScale(scale);
    return model;
}

float ModelCache::LargestReach() const {
    float reach = 0.0f;
    for (const auto& entry : models) {
        const ondra::Vec3 centre = entry.second->GetCentre();
        const ondra::Vec3 size = entry.second->GetSize();
        const Vector3 c(centre.x, centre.y, centre.z);
        const Vector3 halfSize(size.x / 2.0f, size.y / 2.0f, size.z / 2.0f);
        reach = std::max(reach, c.Length() + halfSize.Length());
    }
    return reach;
}

void ModelCache::DrawAll() const {
    for (const auto& entry : models) entry.second->Draw(ondra::DRAW_MATERIALS);
}
