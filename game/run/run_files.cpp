// Writing the run's outputs safely and keeping them off its inputs.
#include "game/run/run_files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_set>

#include "framework/load3ds/texture_names.h"
#include "framework/platform/replace_file.h"
#include "framework/platform/same_file.h"
#include "framework/platform/write_permission.h"
#include "game/level_file/level_rules.h"
#include "game/level_file/map_reader.h"
#include "game/level_file/sound_names.h"

namespace {

namespace fs = std::filesystem;

void AddBlockNames(const MapBlock& block, std::vector<std::string>& names) {
    for (const MapBlockItem& item : block.items) {
        if (const auto* face = std::get_if<MapFace>(&item)) {
            names.push_back(face->texture);
            continue;
        }
        const MapObject& object = std::get<MapObject>(item);
        names.push_back(object.texture);
        for (const std::string& model : MapObjectModels(object)) names.push_back(model);
    }
}

// Every file name the map's entries give.
std::vector<std::string> NamesInMap(const std::string& mapFile) {
    std::vector<std::string> names;
    std::ifstream in(mapFile, std::ios::binary);
    if (!in) return names;
    for (const MapEntry& entry : ReadMap(in).entries) {
        if (const auto* sky = std::get_if<MapSkybox>(&entry))
            names.insert(names.end(), sky->names.begin(), sky->names.end());
        else if (const auto* list = std::get_if<MapResources>(&entry))
            names.insert(names.end(), list->names.begin(), list->names.end());
        else if (const auto* block = std::get_if<MapBlock>(&entry))
            AddBlockNames(*block, names);
    }
    return names;
}

// Whether both names lead to one file: the same existing file, or, for
// files still to be made, the same place.
bool SameFile(const std::string& a, const std::string& b) {
    if (ondra::platform::SameFile(a.c_str(), b.c_str())) return true;
    std::error_code error;
    const fs::path placeA = fs::weakly_canonical(a, error);
    if (error) return false;
    const fs::path placeB = fs::weakly_canonical(b, error);
    return !error && placeA == placeB;
}

struct Output {
    std::string label;  // the option as given: "--shot 5:a.bmp"
    std::string file;
};

std::vector<Output> OutputsOf(const GameOptions& options) {
    std::vector<Output> outputs;
    if (!options.stateFile.empty()) outputs.push_back({"--state " + options.stateFile, options.stateFile});
    if (!options.recordFile.empty()) outputs.push_back({"--record " + options.recordFile, options.recordFile});
    if (!options.audioFile.empty()) outputs.push_back({"--audio " + options.audioFile, options.audioFile});
    for (const Screenshot& shot : options.shots)
        outputs.push_back({"--shot " + std::to_string(shot.frame) + ":" + shot.file, shot.file});
    return outputs;
}

std::string JoinFolders(const std::vector<std::string>& folders) {
    std::string joined;
    for (const std::string& folder : folders) joined += (joined.empty() ? "" : ", ") + folder;
    return joined;
}

bool AnyRelative(const GameOptions& options) {
    const auto relative = [](const std::string& path) { return !path.empty() && fs::path(path).is_relative(); };
    if (relative(options.stateFile) || relative(options.recordFile) || relative(options.audioFile)) return true;
    for (const Screenshot& shot : options.shots)
        if (relative(shot.file)) return true;
    return false;
}

// Why `file` could not be written, or empty: its folder must take new
// files, and an existing file must be writable (a device or FIFO is
// written in place and is left to the writing).
std::string WhyUnwritable(const std::string& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (fs::is_directory(status)) return std::strerror(EISDIR);
    if (fs::is_regular_file(status)) {
        const int refusal = ondra::platform::WriteRefusal(file.c_str());
        return refusal ? std::strerror(refusal) : std::string();
    }
    if (fs::exists(status)) return std::string();
    fs::path folder = fs::path(file).parent_path();
    if (folder.empty()) folder = ".";
    const fs::file_status folderStatus = fs::status(folder, error);
    if (!fs::exists(folderStatus)) return "the folder " + folder.string() + " does not exist";
    if (!fs::is_directory(folderStatus)) return folder.string() + " is not a folder";
    const int refusal = ondra::platform::WriteRefusal(folder.string().c_str());
    return refusal ? "the folder " + folder.string() + ": " + std::strerror(refusal) : std::string();
}

}  // namespace

bool WriteTextReplacing(const std::string& path, const std::string& text) {
    // Standard output may be the destination (/dev/stdout): what the run
    // printed comes first.
    std::fflush(stdout);
    return ondra::platform::WriteReplacing(path.c_str(), [&text](int fd) {
        return ondra::platform::WriteAll(fd, text.data(), text.size());
    });
}

// Each name once: a map names a kind's models once for every object of
// it, and may hold hundreds of thousands of them.
std::vector<std::string> RunInputs(const std::string& mapFile, const std::string& scriptFile) {
    std::vector<std::string> inputs;
    std::unordered_set<std::string> seen;
    auto add = [&](std::string name) {
        if (!name.empty() && seen.insert(name).second) inputs.push_back(std::move(name));
    };
    add(mapFile);
    add(scriptFile);
    add(game_assets::kSurface);
    for (const char* arm : game_assets::kArmModels) add(arm);
    for (const game_sounds::SoundFile& sound : game_sounds::kAllSounds) add(sound.name);
    for (std::string& name : NamesInMap(mapFile)) add(std::move(name));
    // The models read the textures they name: those are inputs too.
    const size_t named = inputs.size();
    for (size_t i = 0; i < named; ++i)
        for (std::string& texture : ondra::TextureFileNames(inputs[i].c_str())) add(std::move(texture));
    return inputs;
}

std::string OutputConflict(const GameOptions& options, const std::vector<std::string>& inputs) {
    const std::vector<Output> outputs = OutputsOf(options);
    for (size_t i = 0; i < outputs.size(); ++i) {
        const Output& out = outputs[i];
        for (const std::string& input : inputs)
            if (SameFile(out.file, input))
                return out.label + " would replace " + FromHere(input) + ", which the game reads; give another file";
        for (size_t j = 0; j < i; ++j)
            if (SameFile(out.file, outputs[j].file))
                return outputs[j].label + " and " + out.label + " name one file; give each output its own";
    }
    return std::string();
}

std::string UnwritableOutput(const GameOptions& options) {
    for (const Output& out : OutputsOf(options)) {
        const std::string why = WhyUnwritable(out.file);
        if (!why.empty()) return out.label + ": " + why;
    }
    return std::string();
}

std::string FromHere(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.string();
}

bool PlaceOutputs(GameOptions& options, std::string& error) {
    std::error_code gone;
    options.pictureDir = fs::current_path(gone).string();
    if (options.pictureDir.empty() && AnyRelative(options)) {
        error = "the folder the game was started from no longer exists: give --state, --shot, --record and --audio files as absolute paths";
        return false;
    }
    options.stateFile = FromHere(options.stateFile);
    options.recordFile = FromHere(options.recordFile);
    options.audioFile = FromHere(options.audioFile);
    options.scriptFile = FromHere(options.scriptFile);
    for (Screenshot& shot : options.shots) shot.file = FromHere(shot.file);
    return true;
}

bool EnterDataDir(const GameOptions& options, std::string& dataDir, std::string& error) {
    std::vector<std::string> searched;
    dataDir = FindDataDir(options.dataDir, searched);
    std::error_code notEntered;
    if (!dataDir.empty()) fs::current_path(dataDir, notEntered);
    if (dataDir.empty() || notEntered) {
        error = "no map.txt found; searched " + JoinFolders(searched);
        return false;
    }
    return true;
}
