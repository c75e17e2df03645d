// A stand-in for the sound library, built by the tests as a library of the
// real one's name and shape: it mixes nothing, but counts what the audio
// module asks of it and can pretend its device was unplugged. It offers no
// rendering into memory. The tests reach its counters by its exports.
#define AL_LIBTYPE_STATIC
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cstring>

namespace {

struct Device {
    int connected = 1;
    int open = 0;
};
struct Context {
    int live = 0;
};

Device device;
Context context;
int sourcesPlayed = 0;
int liveSources = 0;
int liveBuffers = 0;
ALuint nextName = 1;

}  // namespace

extern "C" {

// What the tests ask of the stand-in.
int StandInSourcesPlayed() { return sourcesPlayed; }
int StandInLiveSources() { return liveSources; }
int StandInLiveBuffers() { return liveBuffers; }
void StandInUnplug() { device.connected = 0; }

ALCdevice* ALC_APIENTRY alcOpenDevice(const ALCchar*) {
    device.open = 1;
    device.connected = 1;
    return reinterpret_cast<ALCdevice*>(&device);
}
ALCboolean ALC_APIENTRY alcCloseDevice(ALCdevice*) {
    device.open = 0;
    return ALC_TRUE;
}
ALCcontext* ALC_APIENTRY alcCreateContext(ALCdevice*, const ALCint*) {
    context.live = 1;
    return reinterpret_cast<ALCcontext*>(&context);
}
void ALC_APIENTRY alcDestroyContext(ALCcontext*) {
    context.live = 0;
    liveSources = 0;
    liveBuffers = 0;
}
ALCboolean ALC_APIENTRY alcMakeContextCurrent(ALCcontext*) { return ALC_TRUE; }
ALCenum ALC_APIENTRY alcGetError(ALCdevice*) { return ALC_NO_ERROR; }
const ALCchar* ALC_APIENTRY alcGetString(ALCdevice*, ALCenum) { return "stand-in"; }
void ALC_APIENTRY alcGetIntegerv(ALCdevice*, ALCenum param, ALCsizei size, ALCint* values) {
    if (param == ALC_CONNECTED && size >= 1) values[0] = device.connected;
}
ALCboolean ALC_APIENTRY alcIsExtensionPresent(ALCdevice*, const ALCchar* name) {
    return std::strcmp(name, "ALC_EXT_disconnect") == 0 ? ALC_TRUE : ALC_FALSE;
}
void* ALC_APIENTRY alcGetProcAddress(ALCdevice*, const ALCchar*) { return nullptr; }

ALenum AL_APIENTRY alGetError(void) { return AL_NO_ERROR; }
void AL_APIENTRY alDistanceModel(ALenum) {}
void AL_APIENTRY alListenerf(ALenum, ALfloat) {}
void AL_APIENTRY alListener3f(ALenum, ALfloat, ALfloat, ALfloat) {}
void AL_APIENTRY alListenerfv(ALenum, const ALfloat*) {}
void AL_APIENTRY alGenSources(ALsizei n, ALuint* sources) {
    for (ALsizei i = 0; i < n; ++i) sources[i] = nextName++;
    liveSources += n;
}
void AL_APIENTRY alDeleteSources(ALsizei n, const ALuint*) { liveSources -= n; }
void AL_APIENTRY alSourcef(ALuint, ALenum, ALfloat) {}
void AL_APIENTRY alSource3f(ALuint, ALenum, ALfloat, ALfloat, ALfloat) {}
void AL_APIENTRY alSourcei(ALuint, ALenum, ALint) {}
void AL_APIENTRY alGetSourcei(ALuint, ALenum, ALint* value) { *value = AL_STOPPED; }
void AL_APIENTRY alSourcePlay(ALuint) { ++sourcesPlayed; }
void AL_APIENTRY alSourceStop(ALuint) {}
void AL_APIENTRY alGenBuffers(ALsizei n, ALuint* buffers) {
    for (ALsizei i = 0; i < n; ++i) buffers[i] = nextName++;
    liveBuffers += n;
}
void AL_APIENTRY alDeleteBuffers(ALsizei n, const ALuint*) { liveBuffers -= n; }
void AL_APIENTRY alBufferData(ALuint, ALenum, const ALvoid*, ALsizei, ALsizei) {}

}  // extern "C"
