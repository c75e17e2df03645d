// Reading the map safely, and the inputs an output must not replace.
#include "tools/map-check/map_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "framework/platform/regular_file.h"
#include "tools/map-check/file_check.h"
#include "tools/map-check/map_check.h"

namespace mapcheck {

namespace {

bool ReadAll(std::FILE* file, std::string& text, std::string& whyNot) {
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    if (!std::ferror(file)) return true;
    whyNot = std::strerror(errno);
    return false;
}

// The pictures a model's materials name, with the names the 3DS reader
// tries in their place, as it reads them: relative to the data folder.
std::vector<std::string> TexturesOf(const std::string& dataDir, const std::string& modelName) {
    std::vector<std::string> names;
    WorkingDirectory here(dataDir);
    if (!here.Entered()) return names;
    ondra::Model model;
    {
        CaughtOutput quiet;
        if (!model.Load(modelName.c_str())) return names;
    }
    for (const ondra::Material& material : model.GetData().materials) {
        const std::string& name = material.textureName;
        if (name.empty()) continue;
        names.push_back(name);
        const size_t dot = name.rfind('.');
        if (dot == std::string::npos) continue;
        std::string flattened = name;
        flattened[dot] = '_';
        names.push_back(flattened + ".jpg");
        names.push_back(name.substr(0, dot) + ".jpg");
    }
    return names;
}

}  // namespace

bool ReadMapFile(const std::string& path, std::string& text, std::string& whyNot) {
    text.clear();
    ondra::platform::FileKind kind;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(ondra::platform::OpenRegularFile(path.c_str(), &kind),
                                                               &std::fclose);
    if (file) return ReadAll(file.get(), text, whyNot);
    if (kind == ondra::platform::FileKind::kMissing)
        whyNot = std::strerror(errno);
    else
        whyNot = std::string("it is ") + ondra::platform::DescribeFileKind(kind) + ", not a map file";
    return false;
}

std::vector<std::string> InputsOf(const std::string& mapPath, const MapModel& model, const std::string& dataDir) {
    std::vector<std::string> inputs = {mapPath, dataDir + "/" + kSurfaceModel};
    std::vector<std::string> models = {kSurfaceModel};
    for (const FileMention& file : model.Files()) {
        inputs.push_back(dataDir + "/" + file.name);
        if (file.kind == FileMention::kModel) models.push_back(file.name);
    }
    for (const std::string& name : models)
        for (const std::string& texture : TexturesOf(dataDir, name)) inputs.push_back(dataDir + "/" + texture);
    return inputs;
}

}  // namespace mapcheck
