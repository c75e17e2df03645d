// PlayerControls: what the keyboard and mouse mean to the player. The held
// movement keys push the camera each frame, mouse motion turns it (the
// pointer wraps at the window's left and right edges so turning never runs
// out), and the command keys act on the player or ask the window for a
// command of its own (quit, full screen, save the frame).
#pragma once

#include <functional>

class Player;

class PlayerControls {
public:
    // The frame time every per-frame push of the movement keys is scaled to.
    static constexpr float kReferenceFrame = 0.02f;
    static constexpr float kMouseSensitivity = 0.5f;  // degrees per pixel

    enum class Command { kNone, kQuit, kFullScreen, kSaveFrame, kMute };

    explicit PlayerControls(Player& player) : player(player) {}

    // Each held direction adds its push, scaled to the frame's length so
    // the walking speed settles at the same pace whatever the frame rate.
    void AddMovementKeys(float dt, const std::function<bool(int virtualKey)>& held);
    // A key press: acts on the player, or names the window's command.
    Command OnKeyPress(int virtualKey);
    // Mouse motion (y from the bottom row) in a window `width` pixels wide.
    // True when the pointer must jump to `wrappedX` on the same row.
    bool OnMouseMove(int x, int y, int width, int& wrappedX);

    bool FullScreen() const { return fullScreen; }

private:
    Player& player;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool mouseSeen = false;  // the first motion only records where the pointer is
    bool fullScreen = false;
    // Front faces in wireframe or filled, toggled by U; the first press
    // keeps them filled. Each window's controls start over.
    bool wireFlag = false;
};
