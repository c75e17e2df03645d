// Binding the sound library's functions by name, the core ones from the
// library's exports and the loopback extension through alcGetProcAddress.
#include "framework/audio/openal_api.h"

#include "framework/platform/shared_library.h"

namespace ondra::audio_detail {

namespace {

template <typename Function>
bool Bind(const platform::SharedLibrary& library, const char* name, Function& slot, std::string& missing) {
    slot = reinterpret_cast<Function>(library.Symbol(name));
    if (!slot && missing.empty()) missing = name;
    return slot != nullptr;
}

template <typename Function>
bool BindExtension(const OpenAlApi& api, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(api.alcGetProcAddress(nullptr, name));
    return slot != nullptr;
}

}  // namespace

#define ONDRA_BIND(name) bound = Bind(library, #name, api.name, missing) && bound

bool BindOpenAl(const platform::SharedLibrary& library, OpenAlApi& api, std::string& missing) {
    missing.clear();
    bool bound = true;
    ONDRA_BIND(alcOpenDevice);
    ONDRA_BIND(alcCloseDevice);
    ONDRA_BIND(alcCreateContext);
    ONDRA_BIND(alcDestroyContext);
    ONDRA_BIND(alcMakeContextCurrent);
    ONDRA_BIND(alcGetError);
    ONDRA_BIND(alcGetString);
    ONDRA_BIND(alcGetIntegerv);
    ONDRA_BIND(alcIsExtensionPresent);
    ONDRA_BIND(alcGetProcAddress);
    ONDRA_BIND(alGetError);
    ONDRA_BIND(alDistanceModel);
    ONDRA_BIND(alListenerf);
    ONDRA_BIND(alListener3f);
    ONDRA_BIND(alListenerfv);
    ONDRA_BIND(alGenSources);
    ONDRA_BIND(alDeleteSources);
    ONDRA_BIND(alSourcef);
    ONDRA_BIND(alSource3f);
    ONDRA_BIND(alSourcei);
    ONDRA_BIND(alGetSourcei);
    ONDRA_BIND(alSourcePlay);
    ONDRA_BIND(alSourceStop);
    ONDRA_BIND(alGenBuffers);
    ONDRA_BIND(alDeleteBuffers);
    ONDRA_BIND(alBufferData);
    return bound;
}

#undef ONDRA_BIND

bool BindLoopback(OpenAlApi& api) {
    const bool offered = api.alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") &&
                         BindExtension(api, "alcLoopbackOpenDeviceSOFT", api.alcLoopbackOpenDeviceSOFT) &&
                         BindExtension(api, "alcIsRenderFormatSupportedSOFT", api.alcIsRenderFormatSupportedSOFT) &&
                         BindExtension(api, "alcRenderSamplesSOFT", api.alcRenderSamplesSOFT);
    if (!offered) {
        api.alcLoopbackOpenDeviceSOFT = nullptr;
        api.alcIsRenderFormatSupportedSOFT = nullptr;
        api.alcRenderSamplesSOFT = nullptr;
    }
    return offered;
}

}  // namespace ondra::audio_detail
