// Helpers for the 3DS model tests: scenes written to scratch files with
// the 3DS writer, loading with the printed trace captured, small meshes
// and texture files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "framework/load3ds/writer/chunk_writer.h"
#include "framework/load3ds/writer/scene_writer.h"

namespace ondra {
namespace test3ds {

// A fresh path in a folder of this test process; the folder's name holds
// no '.', so texture names built from it have only the dots given here.
std::string TempPath(const std::string& name);

std::string WriteScene(const file3ds::Scene& scene, const std::string& name = "model.3ds");
std::string WriteBytes(const std::vector<uint8_t>& bytes, const std::string& name = "raw.3ds");

struct Loaded {
    bool ok = false;
    std::string out;  // everything Load printed on standard output
};

Loaded LoadFile(Model& model, const std::string& path);
Loaded LoadScene(Model& model, const file3ds::Scene& scene);
Loaded LoadBytes(Model& model, const std::vector<uint8_t>& bytes);

// A scene without the version and master-scale chunks, so that traces
// hold only what a test adds.
file3ds::Scene BareScene();

// A unit square in the z = 0 plane made of two faces, counter-clockwise
// seen from +z, vertices (0,0) (1,0) (1,1) (0,1).
file3ds::Mesh Square(const std::string& name);

file3ds::Material PlainMaterial(const std::string& name, float r, float g, float b);

// An uncompressed 24-bit TGA of one colour, with the TGA 2 footer so that
// it is recognised under any file name.
void WriteTga(const std::string& path, int width, int height, uint8_t r, uint8_t g, uint8_t b);

// The lines of `text` that start with `prefix`.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix);

}  // namespace test3ds
}  // namespace ondra
