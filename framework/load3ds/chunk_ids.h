// Chunk ids of the 3D Studio mesh file, shared by the model reader and the
// 3DS writer so that both speak the same numbers.
#pragma once

#include <cstdint>

namespace ondra {
namespace chunk3ds {

// Header of every chunk: a 16-bit id and a 32-bit length that counts the
// header itself.
constexpr uint32_t kHeaderSize = 6;

constexpr uint16_t kMain = 0x4D4D;
constexpr uint16_t kVersion = 0x0002;

// Colour and percentage sub-chunks.
constexpr uint16_t kColorFloat = 0x0010;
constexpr uint16_t kColorBytes = 0x0011;
constexpr uint16_t kColorBytesGamma = 0x0012;
constexpr uint16_t kColorFloatGamma = 0x0013;
constexpr uint16_t kPercentInt = 0x0030;
constexpr uint16_t kPercentFloat = 0x0031;

// Mesh data.
constexpr uint16_t kMeshData = 0x3D3D;
constexpr uint16_t kMeshVersion = 0x3D3E;
constexpr uint16_t kMasterScale = 0x0100;
constexpr uint16_t kBackground = 0x3000;
constexpr uint16_t kViewport = 0x7001;
constexpr uint16_t kNamedObject = 0x4000;
constexpr uint16_t kTriangleMesh = 0x4100;
constexpr uint16_t kVertexList = 0x4110;
constexpr uint16_t kPointFlags = 0x4111;
constexpr uint16_t kFaceList = 0x4120;
constexpr uint16_t kFaceMaterial = 0x4130;
constexpr uint16_t kTexCoords = 0x4140;
constexpr uint16_t kSmoothGroups = 0x4150;
constexpr uint16_t kMeshMatrix = 0x4160;
constexpr uint16_t kMeshColor = 0x4165;
constexpr uint16_t kLight = 0x4600;
constexpr uint16_t kCamera = 0x4700;

// Materials.
constexpr uint16_t kMaterial = 0xAFFF;
constexpr uint16_t kMatName = 0xA000;
constexpr uint16_t kMatAmbient = 0xA010;
constexpr uint16_t kMatDiffuse = 0xA020;
constexpr uint16_t kMatSpecular = 0xA030;
constexpr uint16_t kMatShininess = 0xA040;
constexpr uint16_t kMatShininessStrength = 0xA041;
constexpr uint16_t kMatTransparency = 0xA050;
constexpr uint16_t kMatTransparencyFalloff = 0xA052;
constexpr uint16_t kMatReflectBlur = 0xA053;
constexpr uint16_t kMatTwoSided = 0xA081;
constexpr uint16_t kMatSelfIllum = 0xA084;
constexpr uint16_t kMatWireSize = 0xA087;
constexpr uint16_t kMatTransparencyFalloffIn = 0xA08A;
constexpr uint16_t kMatShading = 0xA100;
constexpr uint16_t kMatTextureMap = 0xA200;
constexpr uint16_t kMatSelfIllumMap = 0xA33D;

// Texture map parameters (inside kMatTextureMap).
constexpr uint16_t kMapFileName = 0xA300;
constexpr uint16_t kMapTiling = 0xA351;
constexpr uint16_t kMapBlur = 0xA353;
constexpr uint16_t kMapUScale = 0xA354;
constexpr uint16_t kMapVScale = 0xA356;
constexpr uint16_t kMapUOffset = 0xA358;
constexpr uint16_t kMapVOffset = 0xA35A;
constexpr uint16_t kMapAngle = 0xA35C;

// Keyframer.
constexpr uint16_t kKeyframer = 0xB000;
constexpr uint16_t kObjectNode = 0xB002;
constexpr uint16_t kKfSegment = 0xB008;
constexpr uint16_t kKfCurrentTime = 0xB009;
constexpr uint16_t kKfHeader = 0xB00A;
constexpr uint16_t kNodeHeader = 0xB010;
constexpr uint16_t kInstanceName = 0xB011;
constexpr uint16_t kPivot = 0xB013;
constexpr uint16_t kBoundingBox = 0xB014;
constexpr uint16_t kPositionTrack = 0xB020;
constexpr uint16_t kRotationTrack = 0xB021;
constexpr uint16_t kScaleTrack = 0xB022;
constexpr uint16_t kNodeId = 0xB030;

}  // namespace chunk3ds
}  // namespace ondra
