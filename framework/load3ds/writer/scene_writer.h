// Writing a file3ds::Scene as a 3D Studio (.3DS) file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/load3ds/writer/scene.h"

namespace ondra {
namespace file3ds {

// Encodes the scene. Fails (false, with a reason in *error when given) only
// for what the format cannot hold: more than 65535 vertices, faces, texture
// coordinates or group entries in one mesh, a smoothing list whose length
// differs from the face count, or a NUL inside a name. Index ranges are
// not checked here, so that damaged files can be made on purpose; call
// Validate for that.
bool Encode(const Scene& scene, std::vector<uint8_t>& out, std::string* error = nullptr);

// Encodes the scene and writes it to `path`.
bool Save(const Scene& scene, const std::string& path, std::string* error = nullptr);

// Checks that every face names existing vertices, every group existing
// faces and a material of the scene, and that texture coordinates cover
// every vertex of a mesh that has any.
bool Validate(const Scene& scene, std::string* error = nullptr);

}  // namespace file3ds
}  // namespace ondra
