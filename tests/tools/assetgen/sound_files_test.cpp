// Reads every generated sound back with the game's WAV reader: each file
// the game names is there, mono at one of the two rates, as long as its
// event, levelled to sit with the others without clipping, free of clicks
// at its ends, and, for the loops, free of a click where it wraps.
#include "framework/audio/wav_reader.h"
#include "game/level_file/sound_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using namespace game_sounds;

struct Expected {
    const char* name;
    double shortest, longest;  // seconds
    double loudest, quietest;  // peak, dB below full scale
};

// Loud events near full scale, pickups and doors lower, footsteps and the
// loops (which play for a long time) lowest.
const Expected kSounds[] = {
    {kShot, 0.3, 0.6, -2, -5},          {kBoltHit, 0.3, 0.8, -2, -6},        {kReload, 0.5, 1.0, -2, -6},
    {kWeaponPickup, 0.4, 0.8, -4, -8},  {kMedikitPickup, 0.4, 0.8, -4, -8},  {kKeyPickup, 0.5, 1.0, -4, -8},
    {kMedikitUse, 0.6, 1.2, -5, -9},    {kDoorOpen, 1.0, 1.6, -5, -10},      {kDoorShut, 1.0, 1.6, -5, -10},
    {kDoorLocked, 0.3, 0.7, -4, -8},    {kCreatureCharge, 0.6, 1.2, -3, -7}, {kCreatureShot, 0.4, 0.9, -2, -6},
    {kCreatureShotHit, 0.3, 0.7, -3, -7}, {kCreatureHurt, 0.3, 0.7, -2, -6}, {kCreatureDeath, 1.0, 2.0, -1, -5},
    {kGeneratorHum, 1.0, 3.0, -12, -16}, {kGeneratorWreck, 1.5, 3.0, -0.5, -3}, {kPlayerHurt, 0.25, 0.6, -2, -6},
    {kFootsteps[0], 0.1, 0.3, -10, -16}, {kFootsteps[1], 0.1, 0.3, -10, -16}, {kWind, 4.0, 8.0, -8, -12},
    {kThunder, 2.0, 4.5, -0.5, -3},
};

double PeakDb(const ondra::SoundClip& clip)
{
    int peak = 1;
    for (std::int16_t s : clip.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return 20.0 * std::log10(peak / 32767.0);
}

int LargestStep(const ondra::SoundClip& clip)
{
    int largest = 0;
    for (std::size_t i = 1; i < clip.samples.size(); ++i)
        largest = std::max(largest, std::abs(clip.samples[i] - clip.samples[i - 1]));
    return largest;
}

const Expected* ExpectedFor(const char* name)
{
    for (const Expected& sound : kSounds)
        if (std::strcmp(sound.name, name) == 0) return &sound;
    return nullptr;
}

TEST(GeneratedSounds, LoadAndSitTogetherWithoutClicks)
{
    ASSERT_EQ(std::size(kSounds), std::size(kAllSounds));
    std::uintmax_t bytes = 0;
    for (const SoundFile& file : kAllSounds) {
        const Expected* expected = ExpectedFor(file.name);
        ASSERT_NE(expected, nullptr) << file.name << " is not in the table";
        const std::string path = std::string(ONDRA_DATA_DIR) + "/" + file.name;
        ondra::SoundClip clip;
        std::string message;
        ASSERT_TRUE(ondra::LoadWav(path.c_str(), clip, message)) << message;
        bytes += std::filesystem::file_size(path);
        EXPECT_EQ(clip.channels, 1) << file.name;
        EXPECT_TRUE(clip.rate == 22050 || clip.rate == 44100) << file.name << ": " << clip.rate;
        EXPECT_GE(clip.Seconds(), expected->shortest) << file.name;
        EXPECT_LE(clip.Seconds(), expected->longest) << file.name;
        EXPECT_LE(PeakDb(clip), expected->loudest) << file.name;
        EXPECT_GE(PeakDb(clip), expected->quietest) << file.name;
        const int first = clip.samples.front(), last = clip.samples.back();
        if (file.loops) {
            // Wrapping steps no further than the loop steps anywhere inside.
            EXPECT_LE(std::abs(first - last), LargestStep(clip)) << file.name;
        } else {
            EXPECT_LE(std::abs(first), 64) << file.name << " starts with a click";
            EXPECT_LE(std::abs(last), 64) << file.name << " ends with a click";
        }
    }
    EXPECT_LT(bytes, 2u << 20) << "the sounds should stay small";
}

}  // namespace
