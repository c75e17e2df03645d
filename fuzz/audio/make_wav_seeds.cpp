// Writes the seed corpus of fuzz_wav into the folder it is given: a short
// file of each format the reader takes, and one with the chunks other
// writers put around the format and the data.
#include <cmath>
#include <string>

#include "framework/audio/wav_writer.h"
#include "framework/image/encoders/image_encoders.h"

namespace {

using ondra::encoders::Bytes;

ondra::SoundClip Tone(int channels, int rate, int frames) {
    ondra::SoundClip clip;
    clip.channels = channels;
    clip.rate = rate;
    for (int i = 0; i < frames * channels; ++i)
        clip.samples.push_back(std::int16_t(20000 * std::sin(i * 0.3)));
    return clip;
}

// The writer's file with a list chunk of odd length before the format and
// a note after the data.
Bytes WithChunksAround(const Bytes& wav) {
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    const Bytes note = {'n', 'o', 't', 'e', 2, 0, 0, 0, 'x', 'y'};
    Bytes out(wav.begin(), wav.begin() + 12);
    out.insert(out.end(), list.begin(), list.end());
    out.insert(out.end(), wav.begin() + 12, wav.end());
    out.insert(out.end(), note.begin(), note.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 1;
    const std::string folder = argv[1];
    bool ok = true;
    ok &= ondra::encoders::WriteFile(folder + "/mono16", ondra::EncodeWav(Tone(1, 22050, 40)));
    ok &= ondra::encoders::WriteFile(folder + "/stereo16", ondra::EncodeWav(Tone(2, 44100, 30)));
    ok &= ondra::encoders::WriteFile(folder + "/mono8_odd", ondra::EncodeWav(Tone(1, 8000, 33), 8));
    ok &= ondra::encoders::WriteFile(folder + "/stereo8", ondra::EncodeWav(Tone(2, 192000, 20), 8));
    ok &= ondra::encoders::WriteFile(folder + "/chunks", WithChunksAround(ondra::EncodeWav(Tone(1, 11025, 25))));
    return ok ? 0 : 1;
}
