// Text output of a GLWindow: printf-style text drawn with a bitmap font
// recorded into 255 display lists of the window's context.
#include <GL/gl.h>

#include <cstdarg>
#include <cstring>
#include <string>

#include "framework/format.h"
#include "framework/glwindow.h"
#include "framework/trace.h"
#include "framework/window_ex.h"

namespace ondra {

bool GLWindow::SetFont(int height, const char* face) { return extra && extra->IsLive() && extra->SetFont(height, face); }

int GLWindow::Printf(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    const bool fits = FormatBounded(text, format, args);
    va_end(args);
    if (!fits) return 0;

    int base = DrawText(text.c_str());
    if (base == 0) {
        // The first attempt's lists are gone; the second starts afresh.
        Trace("warning: used glXUseXFont workaround\n");
        base = DrawText(text.c_str());
        if (base == 0) Trace("warning: workaround failed\n");
    }
    return base;
}

int GLWindow::DrawText(const char* text) {
    if (!text || !extra || !extra->IsLive()) return 0;
    const unsigned base = extra->FontLists();
    if (base == 0) return 0;
    glPushAttrib(GL_LIST_BIT);
    glListBase(base);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    return static_cast<int>(base);
}

}  // namespace ondra
