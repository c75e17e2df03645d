// A lamp's GL light.
#include "game/objects/light.h"

#include <GL/gl.h>

#include "game/objects/player.h"
#include "game/objects/state_fields.h"
#include "game/render/gl_lights.h"

// The lamps' GL lights end where the bolt light's begins.
static_assert(gl_lights::kFirstLamp + Light::kGlLights == gl_lights::kBoltLight);

namespace {

// Strong attenuation keeps each lamp's light in its own part of the
// compound.
constexpr float kConstantAttenuation = 6.5f;
constexpr float kLinearAttenuation = 1.5f;
constexpr float kQuadraticAttenuation = 1.2f;

}  // namespace

Light::Light(int lightIndex, const Vector3& position, float radius)
    : lightIndex(((lightIndex % kGlLights) + kGlLights) % kGlLights) {
    this->position = position;
    this->radius = radius;
}

unsigned int Light::GlLight() const { return gl_lights::kFirstLamp + static_cast<unsigned int>(lightIndex); }

// A dark GL light's set-up shows nowhere, so loading it all when the lamp
// lights gives what loading it at construction would.
void Light::LoadLight() const {
    const float colour[4] = {intensity, intensity, intensity, 1.0f};
    const float at[4] = {position.x, position.y, position.z, 1.0f};
    glLightfv(GlLight(), GL_AMBIENT, colour);
    glLightfv(GlLight(), GL_DIFFUSE, colour);
    glLightfv(GlLight(), GL_SPECULAR, colour);
    glLightfv(GlLight(), GL_POSITION, at);
    glLightf(GlLight(), GL_CONSTANT_ATTENUATION, kConstantAttenuation);
    glLightf(GlLight(), GL_LINEAR_ATTENUATION, kLinearAttenuation);
    glLightf(GlLight(), GL_QUADRATIC_ATTENUATION, kQuadraticAttenuation);
}

void Light::OnCollision(CObject* other) {
    if (dynamic_cast<const Player*>(other)) playerAway = false;
}

void Light::Draw() {
    if (!playerAway) {
        glEnable(GlLight());
        LoadLight();
        everLit = true;
    }
    playerAway = true;
}

std::string Light::StateLine() const {
    return "light gl=" + std::to_string(LightIndex()) + " on=" + StateFlag(EverLit()) + StatePosition(position);
}

std::unique_ptr<CObject> Light::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    (void)setting;
    return std::make_unique<Light>(placed.lamp, placed.position, placed.radius);
}
