// framework-demo: one window with a lit, spinning shape and a line of text.
// Esc closes it, F toggles full screen, and the window can be resized.
//   framework-demo [--frames N]   quit by itself after N frames
// On Windows it is a windowed program, without a console: it enters
// through WinMain, and its messages appear in message boxes.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/glwindow.h"
#include "framework/main.h"

namespace {

// A torus from quad strips, with normals for lighting.
void DrawTorus(float ringRadius, float tubeRadius, int rings, int sides) {
    const float kTwoPi = 6.2831853f;
    for (int i = 0; i < rings; ++i) {
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= sides; ++j) {
            for (int k = 1; k >= 0; --k) {
                const float u = kTwoPi * static_cast<float>(i + k) / static_cast<float>(rings);
                const float v = kTwoPi * static_cast<float>(j) / static_cast<float>(sides);
                const float nx = std::cos(u) * std::cos(v), ny = std::sin(u) * std::cos(v), nz = std::sin(v);
                glNormal3f(nx, ny, nz);
                glVertex3f(std::cos(u) * ringRadius + tubeRadius * nx, std::sin(u) * ringRadius + tubeRadius * ny,
                           tubeRadius * nz);
            }
        }
        glEnd();
    }
}

class DemoWindow : public ondra::GLWindow {
public:
    DemoWindow() {
        SetSize(512, 512);
        SetDepthBits(24);
        SetTitle("framework demo");
    }

    void OnCreate() override {
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_NORMALIZE);
        const float lightPosition[] = {2.0f, 3.0f, 4.0f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
        glClearColor(0.08f, 0.1f, 0.16f, 1.0f);
    }

    void OnResize(int width, int height) override {
        glViewport(0, 0, width, height);
    }

    void OnDisplay() override {
        angle += static_cast<float>(ondra::GetElapsedTime()) * 60.0f;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, GetAspect(), 0.1, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -5.0f);
        glRotatef(angle, 1.0f, 0.6f, 0.2f);
        glColor3f(0.9f, 0.55f, 0.15f);
        DrawTorus(1.0f, 0.4f, 48, 24);

        DrawCaption();
        SwapBuffers();
        if (framesLeft > 0 && --framesLeft == 0) Close();
    }

    void OnKeyboard(int key, bool down) override {
        if (!down) return;
        if (key == ondra::VK_ESCAPE) Close();
        if (key == 'F') SetFullscreen(!IsFullscreen());
    }

    void OnIdle() override { Redraw(); }

    int framesLeft = 0;

private:
    void DrawCaption() {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluOrtho2D(0, Width(), 0, Height());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1.0f, 1.0f, 1.0f);
        glRasterPos2i(10, 10);
        Printf("ondra framework demo  %dx%d  Esc quits, F toggles full screen", Width(), Height());
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
    }

    float angle = 0.0f;
};

// A whole number of frames above 0, or 0.
int FrameCount(const char* text) {
    char* end = nullptr;
    const long count = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && count > 0 && count <= 1000000 ? static_cast<int>(count) : 0;
}

class DemoApp : public ondra::App {
public:
    // A wrong command line is told the way the program tells anything: on
    // the console, or in a message box where there is none.
    void OnCreate() override {
        for (int i = 1; i < ondra::GetArgc(); ++i) {
            if (std::strcmp(ondra::GetArg(i), "--frames") == 0 && i + 1 < ondra::GetArgc()) {
                window.framesLeft = FrameCount(ondra::GetArg(++i));
                if (window.framesLeft > 0) continue;
            }
            ondra::ShowMessage("usage: framework-demo [--frames N]\n");
            std::exit(2);
        }
    }

    DemoWindow window;
};

DemoApp app;

}  // namespace
