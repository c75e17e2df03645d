// Loading 3DS models once and finding them by file name.
#include "game/render/model_cache.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/platform/regular_file.h"
#include "framework/load3ds/model.h"
#include "game/core/vector3.h"

namespace {

// Why the 3DS reader turned the file down: it opens only regular files and
// refuses one whose header names no 3DS model.
std::string WhyModelFails(const std::string& fileName) {
    std::FILE* file = ondra::platform::OpenRegularFile(fileName.c_str());
    if (!file) {
        if (errno == EISDIR) return "it is a directory";
        if (errno == EINVAL) return "it is not a regular file";
        return std::strerror(errno);
    }
    const bool empty = std::fgetc(file) == EOF;
    std::fclose(file);
    return empty ? "the file is empty" : "it is not a 3DS file (its header names no 3DS model)";
}

}  // namespace

ModelCache::ModelCache() = default;
ModelCache::~ModelCache() = default;

bool ModelCache::Load(const std::string& fileName) {
    if (models.count(fileName) != 0) return true;
    auto model = std::make_unique<ondra::Model>();
    if (!model->Load(fileName.c_str())) {
        whyNotLoaded[fileName] = WhyModelFails(fileName);
        return false;
    }
    models.emplace(fileName, std::move(model));
    return true;
}

bool ModelCache::LoadListed(const std::string& fileName, const std::string& where) {
    listedAt.emplace(fileName, where);
    return Load(fileName);
}

ondra::Model* ModelCache::Lookup(const std::string& fileName) const {
    const auto found = models.find(fileName);
    if (found == models.end()) ExitWithoutModel(fileName);
    return found->second.get();
}

void ModelCache::ExitWithoutModel(const std::string& fileName) const {
    std::printf("There is no model associated with the model file %s\n", fileName.c_str());
    std::fflush(stdout);
    const auto listed = listedAt.find(fileName);
    const auto failed = whyNotLoaded.find(fileName);
    std::string why;
    if (failed == whyNotLoaded.end())
        why = "no models entry of the map lists it";
    else if (listed != listedAt.end())
        why = "the models entry at " + listed->second + " lists it, but it does not load: " + failed->second;
    else
        why = "it does not load: " + failed->second;
    const std::string user = currentUser.empty() ? "the game" : currentUser;
    std::fprintf(stderr, "compound: %s needs the model %s; %s\n", user.c_str(), fileName.c_str(), why.c_str());
    std::exit(1);
}

ondra::Model* ModelCache::Fetch(const std::string& fileName, float scale) {
    if (!listedOnly) Load(fileName);
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
