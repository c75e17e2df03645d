// File names of the generated data that more than one part of the generator
// refers to (the map names the level textures and key models; models name
// their textures).
#pragma once

namespace assetgen::names {

// Block faces and doors.
inline constexpr const char* kWallPanel = "wallpanel.jpg";
inline constexpr const char* kWallPipes = "wallpipes.bmp";
inline constexpr const char* kWallHazard = "wallhazard.tga";
inline constexpr const char* kFloorPlate = "floorplate.jpg";
inline constexpr const char* kFloorGrate = "floorgrate.bmp";
inline constexpr const char* kCeilingLights = "ceillight.jpg";
inline constexpr const char* kCeilingPlain = "ceiling.jpg";
inline constexpr const char* kDoorLocked = "doorlock.tga";
inline constexpr const char* kDoorSliding = "doorslide.jpg";

// Model textures.
inline constexpr const char* kGround = "ground.jpg";
inline constexpr const char* kConcrete = "concrete.jpg";
inline constexpr const char* kVorlaxSkin = "vorlskin.jpg";
inline constexpr const char* kMedikitLabel = "medlabel.bmp";
inline constexpr const char* kToolboxPaint = "toolpaint.jpg";

// Key models.
inline constexpr const char* kRedKey = "keyred.3DS";
inline constexpr const char* kBlueKey = "keyblue.3DS";

}  // namespace assetgen::names
