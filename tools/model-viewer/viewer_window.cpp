// The model viewer's window.
#include "tools/model-viewer/viewer_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/image.h"
#include "framework/keys.h"

namespace ondra::viewer {
namespace {

constexpr double kFieldOfView = 45.0;  // degrees, vertical
constexpr float kDegreesPerPixel = 0.5f;
const char* const kModeNames[] = {"", "points", "edges", "flat", "smooth", "materials"};

float Length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace

ViewerWindow::ViewerWindow(Model& model, const std::string& name, int mode, const std::string& screenshotPath)
    : model_(model), name_(name), mode_(mode), screenshotPath_(screenshotPath) {
    SetSize(640, 480);
    SetDepthBits(24);
    UpdateTitle();
}

void ViewerWindow::OnCreate() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const float white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float dim[] = {0.25f, 0.25f, 0.25f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dim);
    // Faces seen from behind are lit like their fronts: models often have
    // open backs, and a designer wants to see them.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glClearColor(0.2f, 0.22f, 0.28f, 1.0f);
}

void ViewerWindow::OnDestroy() { model_.ReleaseContext(); }

void ViewerWindow::OnResize(int width, int height) {
    glViewport(0, 0, width, height);
    Redraw();
}

// The model's bounding sphere fits the view at any turn.
void ViewerWindow::PlaceCamera() {
    const Vec3 centre = model_.GetCentre();
    const float radius = std::max(0.5f * Length(model_.GetSize()), 1e-3f);
    const double halfAngle = kFieldOfView * 0.5 * 3.14159265358979 / 180.0;
    const double distance = radius / std::sin(std::min(halfAngle, halfAngle * GetAspect())) * 1.05;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, GetAspect(), std::max(distance - radius * 1.5, distance * 0.01),
                   distance + radius * 1.5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The light comes from the viewer, whatever the model's turn.
    const float fromViewer[] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, fromViewer);
    glTranslated(0.0, 0.0, -distance);
    glRotatef(pitch_, 1.0f, 0.0f, 0.0f);
    glRotatef(yaw_, 0.0f, 1.0f, 0.0f);
    glTranslatef(-centre.x, -centre.y, -centre.z);
}

void ViewerWindow::OnDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PlaceCamera();
    glColor3f(1.0f, 1.0f, 1.0f);
    model_.Draw(mode_);
    if (!screenshotPath_.empty()) {
        SaveScreenshot();
        return;
    }
    DrawCaption();
    SwapBuffers();
}

void ViewerWindow::SaveScreenshot() {
    glFinish();
    Image picture;
    glReadBuffer(GL_BACK);
    screenshotFailed_ = !picture.ReadPixels(0, 0, Width(), Height(), BGR) || !picture.Save(screenshotPath_.c_str());
    if (screenshotFailed_) std::fprintf(stderr, "model-viewer: cannot save %s\n", screenshotPath_.c_str());
    screenshotPath_.clear();
    Close();
}

void ViewerWindow::DrawCaption() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, Width(), 0, Height());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(8, 8);
    Printf("%s - mode %d (%s)   drag: turn   1-5: mode   Esc: quit", name_.c_str(), mode_,
           mode_ <= 5 ? kModeNames[mode_] : "geometry");
    glPopAttrib();
}

void ViewerWindow::OnMouseButton(int button, bool down) {
    if (button == 0) dragging_ = down;
}

void ViewerWindow::OnMouseMove(int x, int y) {
    if (dragging_) {
        yaw_ += (x - lastX_) * kDegreesPerPixel;
        pitch_ = std::clamp(pitch_ - (y - lastY_) * kDegreesPerPixel, -90.0f, 90.0f);
        Redraw();
    }
    lastX_ = x;
    lastY_ = y;
}

void ViewerWindow::OnKeyboard(int key, bool down) {
    if (!down) return;
    if (key == VK_ESCAPE) {
        Close();
    } else if (key >= '1' && key <= '5') {
        mode_ = key - '0';
        UpdateTitle();
        Redraw();
    }
}

// A screenshot is taken as soon as the loop is idle; an interactive window
// only redraws when something changed.
void ViewerWindow::OnIdle() {
    if (!screenshotPath_.empty()) Redraw();
}

void ViewerWindow::UpdateTitle() {
    const std::string title = "model-viewer - " + name_;
    SetTitle(title.c_str());
}

}  // namespace ondra::viewer
