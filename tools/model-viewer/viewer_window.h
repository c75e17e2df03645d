// The model viewer's window: the model lit from the viewer, centred and
// scaled to fit, turned by dragging the mouse.
#pragma once

#include <string>

#include "framework/glwindow.h"
#include "framework/load3ds/model.h"

namespace ondra::viewer {

class ViewerWindow : public GLWindow {
public:
    // `screenshotPath` not empty: draw one frame, save it there, close.
    ViewerWindow(Model& model, const std::string& title, int mode, const std::string& screenshotPath);

    void OnCreate() override;
    void OnDestroy() override;
    void OnResize(int width, int height) override;
    void OnDisplay() override;
    void OnMouseButton(int button, bool down) override;
    void OnMouseMove(int x, int y) override;
    void OnKeyboard(int key, bool down) override;
    void OnIdle() override;

    // Whether the screenshot asked for was written.
    bool ScreenshotFailed() const { return screenshotFailed_; }

private:
    void PlaceCamera();
    void DrawCaption();
    void SaveScreenshot();
    void UpdateTitle();

    Model& model_;
    std::string name_;
    int mode_;
    std::string screenshotPath_;
    bool screenshotFailed_ = false;
    float yaw_ = 30.0f;
    float pitch_ = 20.0f;
    bool dragging_ = false;
    int lastX_ = 0;
    int lastY_ = 0;
};

}  // namespace ondra::viewer
