// The texels a panel's picture shows and the window rectangles they reach.
#include "game/render/panel_coverage.h"

#include <algorithm>
#include <cmath>

namespace {

struct Span {
    int begin;
    int end;
};

// [begin, end) folded into [0, size) as a repeating texture folds it: one
// span, or two when it runs over the far edge. Returns how many.
int FoldSpan(int begin, int end, int size, Span folded[2]) {
    if (end - begin >= size) {
        folded[0] = {0, size};
        return 1;
    }
    const int start = ((begin % size) + size) % size;
    const int stop = start + (end - begin);
    if (stop <= size) {
        folded[0] = {start, stop};
        return 1;
    }
    folded[0] = {start, size};
    folded[1] = {0, stop - size};
    return 2;
}

// Texels to allow around a pixel's sample point. Bilinear filtering reads
// the next texel; a mipmap level k texel spans 2^k texels of the picture,
// and GL picks k at most log2(texels per pixel) and blends it with k + 1.
int FootprintMargin(float texelsPerPixel) {
    return 2 + 4 * static_cast<int>(std::ceil(std::max(texelsPerPixel, 1.0f)));
}

// The texels one window interval [from, to) may sample, on one axis whose
// texture edges land at window coordinates at0 and at1.
Span TexelSpan(int from, int to, float at0, float at1, int texels, int margin) {
    const float scale = static_cast<float>(texels) / (at1 - at0);
    const float a = (static_cast<float>(from) - at0) * scale;
    const float b = (static_cast<float>(to) - at0) * scale;
    return {static_cast<int>(std::floor(std::min(a, b))) - margin,
            static_cast<int>(std::ceil(std::max(a, b))) + margin};
}

// The tile-aligned window interval a panel edge pair covers, a pixel wider
// on each side for rounding, inside [0, size).
Span WindowSpan(float at0, float at1, int size) {
    const int low = std::max(0, static_cast<int>(std::floor(std::min(at0, at1))) - 1);
    const int high = std::min(size, static_cast<int>(std::ceil(std::max(at0, at1))) + 1);
    return {low / kPanelTile * kPanelTile, high};
}

}  // namespace

void AlphaCoverage::Build(const unsigned char* alpha, int pictureWidth, int pictureHeight) {
    sums.clear();
    width = height = cellsX = cellsY = 0;
    if (!alpha || pictureWidth <= 0 || pictureHeight <= 0) return;
    width = pictureWidth;
    height = pictureHeight;
    cellsX = (width + kCell - 1) / kCell;
    cellsY = (height + kCell - 1) / kCell;
    const size_t stride = static_cast<size_t>(cellsX) + 1;
    sums.assign(stride * (static_cast<size_t>(cellsY) + 1), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (alpha[static_cast<size_t>(y) * width + x] != 0)
                sums[(static_cast<size_t>(y / kCell) + 1) * stride + x / kCell + 1] = 1;
    for (int cy = 1; cy <= cellsY; ++cy)
        for (int cx = 1; cx <= cellsX; ++cx)
            sums[cy * stride + cx] += sums[(cy - 1) * stride + cx] + sums[cy * stride + cx - 1] -
                                      sums[(cy - 1) * stride + cx - 1];
}

bool AlphaCoverage::AnyInCells(int u0, int v0, int u1, int v1) const {
    const int cx0 = u0 / kCell, cy0 = v0 / kCell;
    const int cx1 = (u1 + kCell - 1) / kCell, cy1 = (v1 + kCell - 1) / kCell;
    return Sum(cx1, cy1) - Sum(cx0, cy1) - Sum(cx1, cy0) + Sum(cx0, cy0) > 0;
}

bool AlphaCoverage::AnyIn(int u0, int v0, int u1, int v1) const {
    if (Empty() || u1 <= u0 || v1 <= v0) return false;
    Span us[2], vs[2];
    const int uCount = FoldSpan(u0, u1, width, us);
    const int vCount = FoldSpan(v0, v1, height, vs);
    for (int i = 0; i < uCount; ++i)
        for (int j = 0; j < vCount; ++j)
            if (AnyInCells(us[i].begin, vs[j].begin, us[i].end, vs[j].end)) return true;
    return false;
}

void PanelScissorRects::AddRun(int x, int y, int runWidth, int rowHeight) {
    for (size_t index : open) {
        ScissorRect& rect = rects[index];
        if (rect.x == x && rect.width == runWidth) {
            rect.height += rowHeight;
            nextOpen.push_back(index);
            return;
        }
    }
    nextOpen.push_back(rects.size());
    rects.push_back({x, y, runWidth, rowHeight});
}

const std::vector<ScissorRect>& PanelScissorRects::Compute(const AlphaCoverage& coverage, const PanelPlacement& at,
                                                           int windowWidth, int windowHeight) {
    rects.clear();
    open.clear();
    const float spanX = std::fabs(at.xAtS1 - at.xAtS0), spanY = std::fabs(at.yAtT1 - at.yAtT0);
    // A panel seen edge-on covers no pixel.
    if (coverage.Empty() || !(spanX >= 1.0f) || !(spanY >= 1.0f)) return rects;
    const int margin = FootprintMargin(
        std::max(static_cast<float>(coverage.Width()) / spanX, static_cast<float>(coverage.Height()) / spanY));
    const Span columns = WindowSpan(at.xAtS0, at.xAtS1, windowWidth);
    const Span rows = WindowSpan(at.yAtT0, at.yAtT1, windowHeight);
    for (int y = rows.begin; y < rows.end; y += kPanelTile) {
        const int rowHeight = std::min(kPanelTile, rows.end - y);
        const Span v = TexelSpan(y, y + rowHeight, at.yAtT0, at.yAtT1, coverage.Height(), margin);
        nextOpen.clear();
        int runStart = -1;
        for (int x = columns.begin; x < columns.end; x += kPanelTile) {
            const int tileEnd = std::min(x + kPanelTile, columns.end);
            const Span u = TexelSpan(x, tileEnd, at.xAtS0, at.xAtS1, coverage.Width(), margin);
            const bool shows = coverage.AnyIn(u.begin, v.begin, u.end, v.end);
            if (shows && runStart < 0) runStart = x;
            if (!shows && runStart >= 0) {
                AddRun(runStart, y, x - runStart, rowHeight);
                runStart = -1;
            }
        }
        if (runStart >= 0) AddRun(runStart, y, columns.end - runStart, rowHeight);
        open.swap(nextOpen);
    }
    return rects;
}
