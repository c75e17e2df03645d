// GLWindow: the public face of a window; state lives in its WindowEx.
#include "framework/glwindow.h"

#include <GL/gl.h>

#include <cstring>

#include "framework/main.h"
#include "framework/platform/platform.h"
#include "framework/trace.h"
#include "framework/window_ex.h"

namespace ondra {
namespace {

bool pixelFormatRefusalShown = false;

// A live window answers with the format its context really has, otherwise
// with what was asked for.
platform::PixelFormat FormatInUse(const WindowEx* extra) {
    if (!extra) return platform::PixelFormat{0, 0, 0, 0, 0, false, false};
    return extra->IsLive() ? platform::GetPixelFormat(extra->Handle()) : extra->RequestedFormat();
}

}  // namespace

GLWindow::GLWindow() : extra(nullptr) {
    Trace("GLWindow\n");
    Main* main = Main::Instance();
    main->NoteWindowConstructed(true);
    if (!main->RegisterWndClass()) {
        std::printf("Failed to register window class\n");
        return;
    }
    extra = new WindowEx(this);
    main->AddWnd(extra);
}

GLWindow::~GLWindow() {
    Trace("~GLWindow\n");
    if (Main* main = Main::Existing()) {
        main->NoteWindowConstructed(false);
        main->DelWnd(extra);
    }
    delete extra;
}

// ---- Handlers --------------------------------------------------------------

void GLWindow::OnCreate() { Trace("GLWindow::OnCreate\n"); }

void GLWindow::OnDestroy() { Trace("GLWindow::OnDestroy 0x%08lX\n", TracePointer(this)); }

void GLWindow::OnDisplay() {
    Trace("GLWindow::OnDisplay\n");
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers();
}

void GLWindow::OnResize(int width, int height) {
    Trace("GLWindow::OnResize\n");
    glViewport(0, 0, width, height);
}

void GLWindow::OnMouseButton(int button, bool down) { Trace("GLWindow::OnMouseButton(%d,%d)\n", button, down ? 1 : 0); }

void GLWindow::OnMouseMove(int, int) {}

void GLWindow::OnKeyboard(int virtualKey, bool down) { Trace("GLWindow::OnKeyboard(%d,%d)\n", virtualKey, down ? 1 : 0); }

void GLWindow::OnMenu(int commandId) { Trace("GLWindow::OnMenu(%d)\n", commandId); }

void GLWindow::OnWindowMessage(WindowHandle, unsigned, WParam, LParam) {}

// ---- Window operations -----------------------------------------------------

void GLWindow::SwapBuffers() {
    if (extra && extra->IsLive()) platform::SwapBuffers(extra->Handle());
}

void GLWindow::Redraw() {
    if (extra && extra->IsLive()) extra->Invalidate();
}

bool GLWindow::Show() { return extra && extra->Show(); }

void GLWindow::Hide() {
    if (extra) extra->Hide();
}

bool GLWindow::IsVisible() const { return extra && extra->IsLive() && platform::IsWindowShown(extra->Handle()); }

void GLWindow::Close() {
    if (extra && extra->IsLive()) extra->Post(MSG_CLOSE);
}

void GLWindow::PostMessage(unsigned id, WParam wParam, LParam lParam) {
    if (extra && extra->IsLive()) extra->Post(id, wParam, lParam);
}

void GLWindow::SetSize(int width, int height) {
    if (extra) extra->SetClientSize(width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void GLWindow::SetPosition(int x, int y) {
    if (extra) extra->SetPosition(x, y);
}

void GLWindow::GetPosition(int& x, int& y) const {
    x = y = 0;
    if (extra) extra->GetPosition(x, y);
}

void GLWindow::GetClientOrigin(int& x, int& y) const {
    x = y = 0;
    if (extra) extra->GetClientOrigin(x, y);
}

int GLWindow::Width() const { return extra ? extra->Width() : 0; }

int GLWindow::Height() const { return extra ? extra->Height() : 0; }

double GLWindow::GetAspect() const {
    const int height = Height();
    return height == 0 ? 1.0 : static_cast<double>(Width()) / height;
}

bool GLWindow::SetTitle(const char* title) {
    if (!title || !extra) return false;
    extra->SetTitle(title);
    return true;
}

const char* GLWindow::GetTitle() const { return extra ? extra->Title() : ""; }

bool GLWindow::SetTopmost(bool topmost) { return extra && extra->SetTopmost(topmost); }

bool GLWindow::IsTopmost() const { return extra && extra->IsTopmost(); }

bool GLWindow::SetCursor(int kind) { return extra && extra->SetCursor(kind); }

int GLWindow::GetCursor() const { return extra ? extra->CursorKind() : 0; }

WindowHandle GLWindow::GetHWND() const { return extra ? extra->Handle() : nullptr; }

bool GLWindow::MakeCurrent(bool on) { return extra && extra->MakeCurrent(on); }

bool GLWindow::IsExtensionSupported(const char* name) {
    if (!name || !*name || std::strchr(name, ' ')) return false;
    if (!MakeCurrent(true)) return false;
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    bool found = false;
    if (list) {
        const std::size_t length = std::strlen(name);
        for (const char* hit = std::strstr(list, name); hit && !found; hit = std::strstr(hit + length, name)) {
            const bool starts = hit == list || hit[-1] == ' ';
            const bool ends = hit[length] == ' ' || hit[length] == '\0';
            found = starts && ends;
        }
    }
    MakeCurrent(false);
    return found;
}

bool GLWindow::SetFullscreen(bool on) { return extra && extra->SetFullscreen(on); }

bool GLWindow::IsFullscreen() const { return extra && extra->IsFullscreen(); }

bool GLWindow::MakeMainWindow() { return extra && Main::Instance()->SetMainWnd(extra); }

bool GLWindow::IsMainWindow() const {
    Main* main = Main::Existing();
    return extra && main && main->GetMainWnd() == extra;
}

bool GLWindow::SetSwapInterval(int interval) {
    return extra && extra->IsLive() && platform::SetSwapInterval(extra->Handle(), interval);
}

// ---- Pixel format ----------------------------------------------------------

bool GLWindow::RefusedDuringOnCreate() const {
    if (!extra->InOnCreate()) return false;
    if (!pixelFormatRefusalShown) {
        pixelFormatRefusalShown = true;
        ShowMessage(
            "Error: You cannot change pixel format in GLWindow::OnCreate\n"
            "(cannot change depth/alpha/stencil/accum bits, or any setting\n"
            "that would recreate the window)");
    }
    return true;
}

bool GLWindow::SetBits(int platform::PixelFormat::*field, int bits, int (GLWindow::*getter)() const) {
    if (!extra || bits < 0 || bits > 255) return false;
    platform::PixelFormat wanted = extra->RequestedFormat();
    wanted.*field = bits;
    if (!extra->IsLive()) return extra->RequestFormat(wanted);
    if ((this->*getter)() == bits) return true;
    if (RefusedDuringOnCreate()) return false;
    return extra->RequestFormat(wanted) && (this->*getter)() >= bits;
}

bool GLWindow::SetModeFlag(bool platform::PixelFormat::*field, bool on, bool (GLWindow::*getter)() const) {
    if (!extra) return false;
    if ((this->*getter)() == on) return true;
    if (RefusedDuringOnCreate()) return false;
    platform::PixelFormat wanted = extra->RequestedFormat();
    wanted.*field = on;
    return extra->RequestFormat(wanted);
}

bool GLWindow::SetDepthBits(int bits) { return SetBits(&platform::PixelFormat::depthBits, bits, &GLWindow::GetDepthBits); }
bool GLWindow::SetStencilBits(int bits) {
    return SetBits(&platform::PixelFormat::stencilBits, bits, &GLWindow::GetStencilBits);
}
bool GLWindow::SetAlphaBits(int bits) { return SetBits(&platform::PixelFormat::alphaBits, bits, &GLWindow::GetAlphaBits); }
bool GLWindow::SetAccumBits(int bits) { return SetBits(&platform::PixelFormat::accumBits, bits, &GLWindow::GetAccumBits); }

int GLWindow::GetDepthBits() const { return FormatInUse(extra).depthBits; }
int GLWindow::GetStencilBits() const { return FormatInUse(extra).stencilBits; }
int GLWindow::GetAlphaBits() const { return FormatInUse(extra).alphaBits; }
int GLWindow::GetAccumBits() const { return FormatInUse(extra).accumBits; }

bool GLWindow::SetDoubleBuffer(bool on) {
    return SetModeFlag(&platform::PixelFormat::doubleBuffer, on, &GLWindow::GetDoubleBuffer);
}
bool GLWindow::SetStereo(bool on) { return SetModeFlag(&platform::PixelFormat::stereo, on, &GLWindow::GetStereo); }

bool GLWindow::GetDoubleBuffer() const { return FormatInUse(extra).doubleBuffer; }
bool GLWindow::GetStereo() const { return FormatInUse(extra).stereo; }

}  // namespace ondra
