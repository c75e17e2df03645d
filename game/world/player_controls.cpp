// The player's keys and mouse look.
#include "game/world/player_controls.h"

#include <GL/gl.h>

#include "framework/keys.h"
#include "game/objects/player.h"
#include "game/render/camera.h"

namespace {

constexpr float kKeyPush = 0.6f;  // per held direction and reference frame
constexpr int kVkF12 = ondra::VK_F1 + 11;

}  // namespace

void PlayerControls::AddMovementKeys(float dt, const std::function<bool(int)>& held) {
    struct Direction {
        int keyA, keyB;
        Vector3 push;
    };
    static const Direction kDirections[] = {
        {ondra::VK_UP, 'W', Vector3(0.0f, 0.0f, kKeyPush)},
        {ondra::VK_DOWN, 'S', Vector3(0.0f, 0.0f, -kKeyPush)},
        {ondra::VK_RIGHT, 'D', Vector3(kKeyPush, 0.0f, 0.0f)},
        {ondra::VK_LEFT, 'A', Vector3(-kKeyPush, 0.0f, 0.0f)},
    };
    const float scale = dt / kReferenceFrame;
    Camera& camera = *player.GetCamera();
    for (const Direction& d : kDirections)
        if (held(d.keyA) || held(d.keyB)) camera.velocity += d.push * scale;
}

PlayerControls::Command PlayerControls::OnKeyPress(int virtualKey) {
    switch (virtualKey) {
        case ondra::VK_ESCAPE: return Command::kQuit;
        case 'B': player.Hurt(); break;
        case 'E':
            if (player.health < Player::kFullHealth) player.UseMedikit();
            break;
        case 'R': player.Reload(); break;
        case 'T':
            fullScreen = !fullScreen;
            return Command::kFullScreen;
        case 'U':
            glPolygonMode(GL_FRONT, wireFlag ? GL_LINE : GL_FILL);
            wireFlag = !wireFlag;
            break;
        case 'M': return Command::kMute;
        case 'V': player.ToggleHud(); break;
        case kVkF12: return Command::kSaveFrame;
        default: break;
    }
    return Command::kNone;
}

bool PlayerControls::OnMouseMove(int x, int y, int width, int& wrappedX) {
    if (!mouseSeen) {
        mouseSeen = true;
        lastMouseX = x;
        lastMouseY = y;
        return false;
    }
    if (x != 0 && x != width - 1) {
        Camera& camera = *player.GetCamera();
        camera.yaw += static_cast<float>(x - lastMouseX) * kMouseSensitivity;
        camera.pitch += static_cast<float>(y - lastMouseY) * kMouseSensitivity;
        lastMouseX = x;
        lastMouseY = y;
        return false;
    }
    wrappedX = x == 0 ? width - 2 : 1;
    lastMouseX = wrappedX;
    lastMouseY = y;
    return true;
}
