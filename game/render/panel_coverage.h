// Where a HUD panel can change a pixel. The panels are full-window quads
// whose pictures are fully transparent but for a few boxes and lines, and
// a fragment of alpha 0 blended over a pixel leaves it as it was; so a
// panel need only be drawn over the window tiles whose texture footprint
// holds a texel with alpha above 0. Those tiles are merged into disjoint
// rectangles for glScissor: each pixel is still blended at most once, as
// with one draw of the whole quad, and fragments inside a rectangle are
// the very ones the whole quad makes there.
#pragma once

#include <cstddef>
#include <vector>

// Which texels of a picture have alpha above 0, summed over cells of
// kCell x kCell texels so that any rectangle of texels is asked in four
// look-ups (a cell counts as a whole, which only ever answers "yes" more).
class AlphaCoverage {
public:
    static constexpr int kCell = 4;

    // `alpha` holds width x height bytes, row 0 (texture coordinate t = 0)
    // first. A picture without texels leaves the coverage empty.
    void Build(const unsigned char* alpha, int width, int height);
    bool Empty() const { return width <= 0 || height <= 0; }
    int Width() const { return width; }
    int Height() const { return height; }

    // Whether any texel of columns [u0, u1) and rows [v0, v1) has alpha
    // above 0. The bounds may reach beyond the picture, which repeats
    // there, as GL's default wrap mode repeats it.
    bool AnyIn(int u0, int v0, int u1, int v1) const;

private:
    bool AnyInCells(int u0, int v0, int u1, int v1) const;
    int Sum(int cellX, int cellY) const { return sums[static_cast<std::size_t>(cellY) * (cellsX + 1) + cellX]; }

    int width = 0;
    int height = 0;
    int cellsX = 0;
    int cellsY = 0;
    // Summed-area table of the cells holding such a texel:
    // (cellsX + 1) x (cellsY + 1), with a zero first row and column.
    std::vector<int> sums;
};

// A window rectangle in GL's window coordinates (y up), as glScissor takes it.
struct ScissorRect {
    int x;
    int y;
    int width;
    int height;
};

// Where a panel lands: the window x of its texture's s = 0 and s = 1 edges
// and the window y of its t = 0 and t = 1 edges.
struct PanelPlacement {
    float xAtS0;
    float xAtS1;
    float yAtT0;
    float yAtT1;
};

// Side of the square window tiles the rectangles are made of.
constexpr int kPanelTile = 16;

// Disjoint rectangles inside the window that together hold every pixel
// where a panel, textured with the picture of `coverage` under bilinear or
// mipmapped filters, may sample a texel with alpha above 0. The footprint
// allowed for is wide enough for any filter GL's defaults pick at the
// panel's scale. Keeps its storage from call to call.
class PanelScissorRects {
public:
    const std::vector<ScissorRect>& Compute(const AlphaCoverage& coverage, const PanelPlacement& placement,
                                            int windowWidth, int windowHeight);

private:
    void AddRun(int x, int y, int width, int height);

    std::vector<ScissorRect> rects;
    // The rectangles that end at the row being made, and those that will
    // end at the next: a run of the same columns only lengthens one.
    std::vector<std::size_t> open;
    std::vector<std::size_t> nextOpen;
};
