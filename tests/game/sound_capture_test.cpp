// The game's sound end to end: a scripted run's --audio file is the same
// every time and as long as the run's clock, sound changes nothing else
// (the state report, the pictures and standard output are those of a
// --mute run), and without the sound library the run plays on, silent,
// with one message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <cctype>
#include <sstream>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using ondra::test::ScratchFolder;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The readers' traces print where pictures landed in memory, which
// differs from run to run whatever the sound.
std::string WithoutAddresses(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '0' && i + 2 < text.size() && text[i + 1] == 'x' && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += "x?";
            for (i += 2; i + 1 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]));) ++i;
        }
    }
    return out;
}

// Plays the reactor's script at 0.05 s a frame; `tag` names its outputs
// in `dir` (TAG.txt the state, TAG.bmp frame 460 if it comes, TAG.out and
// TAG.err).
int Play(const ScratchFolder& dir, const std::string& tag, const std::string& options, long frames = 525) {
    const std::string command = std::string(COMPOUND_PATH) + " --data " + ONDRA_DATA_DIR + " --script " +
                                PLAYTHROUGH_DIR + "/reactor.txt --dt 0.05 --frames " + std::to_string(frames) +
                                " --state " + dir.File(tag + ".txt") +
                                (frames > 460 ? " --shot 460:" + dir.File(tag + ".bmp") : std::string()) + " " +
                                options + " > " + dir.File(tag + ".out") + " 2> " + dir.File(tag + ".err");
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SoundCapture, AScriptSoundsTheSameEveryTimeAndChangesNothingElse) {
    const ScratchFolder dir;
    ASSERT_EQ(Play(dir, "first", "--audio " + dir.File("first.wav")), 0) << ReadAll(dir.File("first.err"));
    ASSERT_EQ(Play(dir, "again", "--audio " + dir.File("again.wav")), 0) << ReadAll(dir.File("again.err"));
    ASSERT_EQ(Play(dir, "mute", "--mute"), 0) << ReadAll(dir.File("mute.err"));
    const std::string sound = ReadAll(dir.File("first.wav"));
    // 525 frames of 0.05 s: 1,157,625 frames of sound, 4 bytes each.
    EXPECT_EQ(sound.size(), 44u + 1157625u * 4u);
    EXPECT_TRUE(sound == ReadAll(dir.File("again.wav"))) << "the same script, another sound";
    EXPECT_NE(sound.find_first_not_of('\0', 44), std::string::npos) << "nothing was heard";
    for (const char* kind : {".txt", ".bmp", ".out"}) {
        SCOPED_TRACE(kind);
        const std::string withSound = WithoutAddresses(ReadAll(dir.File(std::string("first") + kind)));
        EXPECT_FALSE(withSound.empty());
        EXPECT_TRUE(withSound == WithoutAddresses(ReadAll(dir.File(std::string("mute") + kind))));
    }
}

TEST(SoundCapture, WithoutTheSoundLibraryTheRunPlaysOnSilent) {
    const ScratchFolder dir;
    setenv("ONDRA_SOUND_LIBRARY", dir.File("no-sound-library.so").c_str(), 1);
    const int played = Play(dir, "silent", "--audio " + dir.File("silent.wav"), 40);
    unsetenv("ONDRA_SOUND_LIBRARY");
    EXPECT_EQ(played, 0);
    const std::string said = ReadAll(dir.File("silent.err"));
    EXPECT_EQ(said.rfind("compound: playing without sound: cannot load the sound library ", 0), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    const std::string sound = ReadAll(dir.File("silent.wav"));
    EXPECT_EQ(sound.size(), 44u + 88200u * 4u) << "40 frames of 0.05 s";
    EXPECT_EQ(sound.find_first_not_of('\0', 44), std::string::npos) << "silence";
}

}  // namespace
