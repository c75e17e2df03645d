// The sound library's functions as the audio module calls them: a table of
// pointers filled from the library opened at run time, so that the program
// starts, and plays silent, where the library is missing. Only the audio
// module's sources include this.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <string>

namespace ondra::platform {
class SharedLibrary;
}

namespace ondra::audio_detail {

struct OpenAlApi {
    LPALCOPENDEVICE alcOpenDevice = nullptr;
    LPALCCLOSEDEVICE alcCloseDevice = nullptr;
    LPALCCREATECONTEXT alcCreateContext = nullptr;
    LPALCDESTROYCONTEXT alcDestroyContext = nullptr;
    LPALCMAKECONTEXTCURRENT alcMakeContextCurrent = nullptr;
    LPALCGETERROR alcGetError = nullptr;
    LPALCGETSTRING alcGetString = nullptr;
    LPALCGETINTEGERV alcGetIntegerv = nullptr;
    LPALCISEXTENSIONPRESENT alcIsExtensionPresent = nullptr;
    LPALCGETPROCADDRESS alcGetProcAddress = nullptr;

    LPALGETERROR alGetError = nullptr;
    LPALDISTANCEMODEL alDistanceModel = nullptr;
    LPALLISTENERF alListenerf = nullptr;
    LPALLISTENER3F alListener3f = nullptr;
    LPALLISTENERFV alListenerfv = nullptr;
    LPALGENSOURCES alGenSources = nullptr;
    LPALDELETESOURCES alDeleteSources = nullptr;
    LPALSOURCEF alSourcef = nullptr;
    LPALSOURCE3F alSource3f = nullptr;
    LPALSOURCEI alSourcei = nullptr;
    LPALGETSOURCEI alGetSourcei = nullptr;
    LPALSOURCEPLAY alSourcePlay = nullptr;
    LPALSOURCESTOP alSourceStop = nullptr;
    LPALGENBUFFERS alGenBuffers = nullptr;
    LPALDELETEBUFFERS alDeleteBuffers = nullptr;
    LPALBUFFERDATA alBufferData = nullptr;

    // Rendering into memory instead of a sound card: an extension, present
    // only where the library offers it.
    LPALCLOOPBACKOPENDEVICESOFT alcLoopbackOpenDeviceSOFT = nullptr;
    LPALCISRENDERFORMATSUPPORTEDSOFT alcIsRenderFormatSupportedSOFT = nullptr;
    LPALCRENDERSAMPLESSOFT alcRenderSamplesSOFT = nullptr;
};

// Fills `api` with every OpenAL 1.1 function the module calls. False, with
// `missing` naming the first one the library lacks, when any is absent: a
// library with holes is not used at all.
bool BindOpenAl(const platform::SharedLibrary& library, OpenAlApi& api, std::string& missing);

// Fills the loopback functions when the library offers ALC_SOFT_loopback;
// false (and the three left null) when it does not.
bool BindLoopback(OpenAlApi& api);

}  // namespace ondra::audio_detail
