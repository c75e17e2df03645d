// Describing each kind of object in one line.
#include "game/run/state_report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/vorlax_projectile.h"
#include "game/objects/weapon.h"
#include "game/render/camera.h"
#include "game/run/run_files.h"

namespace {

// Numbers with a fraction print with three decimals; "-0.000" would make
// equal states read differently, so it prints as 0.000.
std::string Num(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    std::string result = text;
    if (result == "-0.000") result = "0.000";
    return result;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

std::string Position(const Vector3& p) { return " x=" + Num(p.x) + " y=" + Num(p.y) + " z=" + Num(p.z); }

std::string Triple(const Vector3& p) { return Num(p.x) + "," + Num(p.y) + "," + Num(p.z); }

std::string Describe(const Player& p) {
    std::string keys;
    for (size_t i = 0; i < p.keys.size(); ++i) keys += (i ? "," : "") + std::to_string(p.keys[i]);
    const Camera* camera = p.GetCamera();
    return "player" + Position(p.position) + " yaw=" + Num(camera ? camera->yaw : 0.0f) +
           " pitch=" + Num(camera ? camera->pitch : 0.0f) + " health=" + std::to_string(p.health) +
           " ammo=" + std::to_string(p.ammo) + " clips=" + std::to_string(p.clips) +
           " medikits=" + std::to_string(p.medikits) + " keys=" + keys + " weapon=" + Flag(p.hasWeapon) +
           " flashlight=" + Flag(p.hasFlashlight) + " hud=" + Flag(p.hudVisible);
}

std::string Describe(const Door& door) {
    const auto* locked = dynamic_cast<const LockedDoor*>(&door);
    std::string line = std::string("door kind=") + (locked ? "locked" : "auto") + " state=" +
                       std::to_string(door.state) + " locked=" + Flag(locked && locked->locked) +
                       Position(door.position);
    if (const auto* sliding = dynamic_cast<const AutomaticDoor*>(&door))
        line += " leafA=" + Triple(sliding->leafA) + " leafB=" + Triple(sliding->leafB);
    return line;
}

std::string Describe(const Pickup& pickup) {
    const char* kind = dynamic_cast<const Weapon*>(&pickup)       ? "weapon"
                       : dynamic_cast<const Flashlight*>(&pickup) ? "flashlight"
                       : dynamic_cast<const Medikit*>(&pickup)    ? "medikit"
                                                                  : "key";
    std::string line = std::string("pickup kind=") + kind + " taken=" + Flag(pickup.taken) + Position(pickup.position);
    if (const auto* key = dynamic_cast<const Key*>(&pickup)) line += " id=" + std::to_string(key->keyId);
    return line;
}

// The line of one object, or nothing for a kind the report does not know.
std::string Describe(const CObject& object) {
    if (const auto* o = dynamic_cast<const Player*>(&object)) return Describe(*o);
    if (const auto* o = dynamic_cast<const Door*>(&object)) return Describe(*o);
    if (const auto* o = dynamic_cast<const Pickup*>(&object)) return Describe(*o);
    if (const auto* o = dynamic_cast<const Light*>(&object))
        return "light gl=" + std::to_string(o->LightIndex()) + " on=" + Flag(o->EverLit()) + Position(o->position);
    if (const auto* o = dynamic_cast<const Vorlax*>(&object))
        return "vorlax state=" + std::to_string(o->State()) + " yaw=" + Num(o->Yaw()) +
               " charging=" + Flag(o->Charging()) + " shot=" + Flag(o->ShotInFlight()) + Position(o->position);
    if (const auto* o = dynamic_cast<const VorlaxMesh*>(&object)) return "vorlaxmesh dead=" + Flag(o->Dead());
    if (const auto* o = dynamic_cast<const VorlaxProjectile*>(&object))
        return o->Spent() ? std::string() : "projectile" + Position(o->position);
    if (const auto* o = dynamic_cast<const Generator*>(&object))
        return "generator hitpoints=" + std::to_string(o->HitPoints()) + " destroyed=" + Flag(o->Destroyed()) +
               Position(o->position);
    if (const auto* o = dynamic_cast<const GeneratorCore*>(&object))
        return "core destroyed=" + Flag(o->Destroyed()) + " spin=" + std::to_string(o->Spin());
    if (const auto* o = dynamic_cast<const BoltProjectile*>(&object))
        return "bolt exploded=" + Flag(o->Exploded()) + Position(o->position);
    return std::string();
}

void AddChildren(std::string& report, const CObject& parent) {
    for (const CObject& object : parent.Children()) {
        const std::string line = Describe(object);
        if (!line.empty()) report += line + "\n";
        AddChildren(report, object);
    }
}

}  // namespace

std::string StateReport(long frame, const std::vector<const CObject*>& groups) {
    std::string report = "frame " + std::to_string(frame) + "\n";
    for (const CObject* group : groups)
        if (group) AddChildren(report, *group);
    return report;
}

bool SaveStateReport(const std::string& path, long frame, const std::vector<const CObject*>& groups) {
    errno = 0;
    if (WriteTextReplacing(path, StateReport(frame, groups))) return true;
    const int reason = errno;
    std::fprintf(stderr, "compound: could not write the state report %s%s%s\n", path.c_str(), reason ? ": " : "",
                 reason ? std::strerror(reason) : "");
    return false;
}
