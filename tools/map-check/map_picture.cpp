// Drawing the plan: cells, walls and doors, the ramp, the objects at their
// places, and the legend.
#include "tools/map-check/map_picture.h"

#include <algorithm>
#include <cmath>

#include "framework/image.h"
#include "tools/map-check/pixel_font.h"
#include "tools/map-check/reachability.h"

namespace mapcheck {

namespace {

namespace c = colours;

constexpr int kMargin = 10;
constexpr int kTitleHeight = 16;
constexpr int kRampCells = 2;  // the ramp runs 6 units west of the entrance
constexpr int kLegendGap = 20;
constexpr int kLegendRow = 18;
constexpr int kLegendSymbol = 16;
constexpr int kLegendWidth = 230;

// Pixels per block: 24 for small maps, less for large ones, so the picture
// stays within a few thousand pixels.
int CellPixels(int rows, int columns) {
    const int side = std::max(rows, columns);
    if (side <= 0) return 24;
    return std::clamp(1600 / side, 3, 24);
}

class Canvas {
public:
    Canvas(int width, int height, Rgb fill)
        : width(width), height(height), pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    void Set(int x, int y, Rgb colour) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
    }
    // Pixels x0 <= x < x1, y0 <= y < y1.
    void Fill(int x0, int y0, int x1, int y1, Rgb colour) {
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) Set(x, y, colour);
    }
    void Frame(int x0, int y0, int x1, int y1, Rgb colour) {
        Fill(x0, y0, x1, y0 + 1, colour);
        Fill(x0, y1 - 1, x1, y1, colour);
        Fill(x0, y0, x0 + 1, y1, colour);
        Fill(x1 - 1, y0, x1, y1, colour);
    }
    void Disc(float cx, float cy, float radius, Rgb colour) {
        for (int y = static_cast<int>(std::floor(cy - radius)); y <= static_cast<int>(std::ceil(cy + radius)); ++y)
            for (int x = static_cast<int>(std::floor(cx - radius)); x <= static_cast<int>(std::ceil(cx + radius)); ++x)
                if (Inside(x, y, cx, cy, radius)) Set(x, y, colour);
    }
    void Ring(float cx, float cy, float radius, float thickness, Rgb colour) {
        for (int y = static_cast<int>(std::floor(cy - radius)); y <= static_cast<int>(std::ceil(cy + radius)); ++y)
            for (int x = static_cast<int>(std::floor(cx - radius)); x <= static_cast<int>(std::ceil(cx + radius)); ++x)
                if (Inside(x, y, cx, cy, radius) && !Inside(x, y, cx, cy, radius - thickness)) Set(x, y, colour);
    }
    // A square turned by 45 degrees.
    void Diamond(float cx, float cy, float radius, Rgb colour) {
        for (int y = static_cast<int>(std::floor(cy - radius)); y <= static_cast<int>(std::ceil(cy + radius)); ++y)
            for (int x = static_cast<int>(std::floor(cx - radius)); x <= static_cast<int>(std::ceil(cx + radius)); ++x)
                if (std::fabs(x + 0.5f - cx) + std::fabs(y + 0.5f - cy) <= radius) Set(x, y, colour);
    }
    // Text with its top left at (x, y), each font pixel `scale` pixels.
    void Text(int x, int y, const std::string& text, Rgb colour, int scale = 1) {
        for (char ch : text) {
            const std::uint8_t* rows = Glyph(ch);
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int column = 0; column < kGlyphWidth; ++column)
                    if (rows[row] & (0x10 >> column))
                        Fill(x + column * scale, y + row * scale, x + (column + 1) * scale, y + (row + 1) * scale,
                             colour);
            x += kGlyphAdvance * scale;
        }
    }

    std::vector<Rgb> Take() { return std::move(pixels); }

private:
    static bool Inside(int x, int y, float cx, float cy, float radius) {
        const float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
        return dx * dx + dy * dy <= radius * radius;
    }

    int width;
    int height;
    std::vector<Rgb> pixels;
};

Rgb ToRgb(MapColour colour) { return {colour.r, colour.g, colour.b}; }

// The kinds' symbols, each drawn round a point; `unit` is the pixels per
// world unit, so symbols grow and shrink with the cells.
struct Symbols {
    Canvas& canvas;
    float unit;

    // Any symbol but a door's bar; a wall box lies along x when `alongX`.
    void Draw(const MapSymbol& symbol, float x, float y, bool alongX) const {
        const Rgb colour = ToRgb(symbol.colour);
        switch (symbol.shape) {
            case MapSymbolShape::kDoorBar: break;
            case MapSymbolShape::kRing:
                canvas.Ring(x, y, symbol.size * unit, std::max(1.5f, symbol.across * unit), colour);
                break;
            case MapSymbolShape::kDisc: canvas.Disc(x, y, symbol.size * unit, colour); break;
            case MapSymbolShape::kDiamond: canvas.Diamond(x, y, symbol.size * unit, colour); break;
            case MapSymbolShape::kSquareWithCore: {
                const float half = symbol.size * unit;
                canvas.Fill(static_cast<int>(x - half), static_cast<int>(y - half), static_cast<int>(x + half),
                            static_cast<int>(y + half), colour);
                canvas.Disc(x, y, symbol.across * unit, ToRgb(symbol.detail));
                break;
            }
            case MapSymbolShape::kWallBox:
                Box(x, y, symbol.size, symbol.across, alongX, colour);
                if (ToRgb(symbol.detail) != colour) Cross(x, y, ToRgb(symbol.detail));
                break;
        }
    }
    // A box `along` x `across` world units, its long side against the wall
    // when `alongX`.
    void Box(float x, float y, float along, float across, bool alongX, Rgb colour) const {
        const float w = (alongX ? along : across) * unit / 2.0f, h = (alongX ? across : along) * unit / 2.0f;
        canvas.Fill(static_cast<int>(std::lround(x - w)), static_cast<int>(std::lround(y - h)),
                    static_cast<int>(std::lround(x + w)), static_cast<int>(std::lround(y + h)), colour);
    }
    void Cross(float x, float y, Rgb colour) const {
        const float arm = 0.3f * unit, bar = std::max(1.0f, 0.1f * unit);
        canvas.Fill(static_cast<int>(std::lround(x - arm)), static_cast<int>(std::lround(y - bar)),
                    static_cast<int>(std::lround(x + arm)), static_cast<int>(std::lround(y + bar)), colour);
        canvas.Fill(static_cast<int>(std::lround(x - bar)), static_cast<int>(std::lround(y - arm)),
                    static_cast<int>(std::lround(x + bar)), static_cast<int>(std::lround(y + arm)), colour);
    }
};

// The direction from a wall into its block, in world x and z.
void Inward(Facing wall, float& dx, float& dz) {
    dx = dz = 0.0f;
    switch (wall) {
        case kFacingWest: dx = 1.0f; break;
        case kFacingEast: dx = -1.0f; break;
        case kFacingNorth: dz = 1.0f; break;
        case kFacingSouth: dz = -1.0f; break;
    }
}

class Painter {
public:
    Painter(const MapModel& model, const PictureLayout& layout, Canvas& canvas)
        : model(model), layout(layout), canvas(canvas),
          symbols{canvas, static_cast<float>(layout.cell) / 3.0f},
          wallWidth(std::max(2, layout.cell / 8)) {}

    void Paint() {
        Ground();
        Ramp();
        Cells();
        Walls();
        Objects();
    }

private:
    void Ground() {
        // The surface round the map, one cell wide, then the grid.
        canvas.Fill(layout.mapLeft - kRampCells * layout.cell, layout.mapTop - layout.cell / 2,
                    layout.CellX(model.Columns() + 1) + layout.cell / 2, layout.CellY(model.Rows() + 1) + layout.cell / 2,
                    c::kSurface);
    }

    void Ramp() {
        const int x0 = layout.mapLeft - kRampCells * layout.cell, y0 = layout.mapTop;
        const int x1 = layout.mapLeft, y1 = layout.mapTop + layout.cell;
        canvas.Fill(x0, y0, x1, y1, c::kRamp);
        // Stripes across the slope, closer towards the bottom.
        for (int i = 1; i < 6; ++i) {
            const int x = x0 + (x1 - x0) * i / 6;
            canvas.Fill(x, y0 + 1, x + 1, y1 - 1, c::kRampStripe);
        }
        // The arrow into the entrance.
        const int mid = (y0 + y1) / 2;
        const int shaft = std::max(1, layout.cell / 12);
        canvas.Fill(x0 + layout.cell / 3, mid - shaft, x1 - layout.cell / 3, mid + shaft + 1, c::kEntrance);
        const int head = std::max(2, layout.cell / 4);
        for (int i = 0; i <= head; ++i)
            canvas.Fill(x1 - layout.cell / 3 - head + i, mid - (head - i), x1 - layout.cell / 3 - head + i + 1,
                        mid + (head - i) + 1, c::kEntrance);
    }

    void Cells() {
        const Reachability walk(model);
        for (int row = 1; row <= model.Rows(); ++row) {
            for (int column = 1; column <= model.Columns(); ++column) {
                const int x = layout.CellX(column), y = layout.CellY(row);
                const CellRecord* cell = model.Cell(row, column);
                Rgb colour = c::kRock;
                if (cell) colour = c::kRockBlock;
                if (model.IsOpen(row, column)) colour = walk.Reached(row, column) ? c::kFloor : c::kFloorCutOff;
                canvas.Fill(x, y, x + layout.cell, y + layout.cell, colour);
                if (model.IsOpen(row, column) && layout.cell >= 8) {
                    canvas.Fill(x, y, x + layout.cell, y + 1, c::kFloorLine);
                    canvas.Fill(x, y, x + 1, y + layout.cell, c::kFloorLine);
                }
            }
        }
    }

    // Each wall inside its own cell, along its side: a wall faces into its
    // block, and a side walled from one block only shows that way.
    void Walls() {
        for (int row = 1; row <= model.Rows(); ++row) {
            for (int column = 1; column <= model.Columns(); ++column) {
                const CellRecord* cell = model.Cell(row, column);
                if (!cell) continue;
                for (Facing side : {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast}) {
                    const FaceRecord& face = cell->Side(side);
                    if (face.present) Wall(row, column, side, face.typed ? c::kWall : c::kSolidFace, !face.typed);
                }
            }
        }
    }

    void Wall(int row, int column, Facing side, Rgb colour, bool dashed) {
        const int x0 = layout.CellX(column), y0 = layout.CellY(row), n = layout.cell, t = wallWidth;
        int fx0 = x0, fy0 = y0, fx1 = x0 + n, fy1 = y0 + n;
        switch (side) {
            case kFacingNorth: fy1 = y0 + t; break;
            case kFacingSouth: fy0 = y0 + n - t; break;
            case kFacingWest: fx1 = x0 + t; break;
            case kFacingEast: fx0 = x0 + n - t; break;
        }
        if (!dashed) {
            canvas.Fill(fx0, fy0, fx1, fy1, colour);
            return;
        }
        const int dash = std::max(2, n / 6);
        for (int y = fy0; y < fy1; ++y)
            for (int x = fx0; x < fx1; ++x)
                if (((side == kFacingNorth || side == kFacingSouth ? x - x0 : y - y0) / dash) % 2 == 0)
                    canvas.Set(x, y, colour);
    }

    // A bar across the middle of the side, over both blocks' walls; a
    // numbered one carries its key number.
    void DoorBar(const PlacedObject& door, const MapSymbol& symbol) {
        const int x = layout.X(door.position.x), y = layout.Y(door.position.z);
        const int half = layout.cell * 3 / 8, thick = wallWidth + 1;
        const bool alongX = door.facing == kFacingNorth || door.facing == kFacingSouth;
        const Rgb colour = ToRgb(symbol.colour);
        if (alongX)
            canvas.Fill(x - half, y - thick, x + half, y + thick, colour);
        else
            canvas.Fill(x - thick, y - half, x + thick, y + half, colour);
        if (symbol.numbered && layout.cell >= 12) KeyNumber(x, y, door.keyId, colour, c::kKeyNumber);
    }

    // The number in a box of `box` centred on (x, y).
    void KeyNumber(int x, int y, int number, Rgb box, Rgb text) {
        const std::string digits = std::to_string(number);
        const int w = TextWidth(digits) + 4, h = kGlyphHeight + 4;
        canvas.Fill(x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h, box);
        canvas.Text(x - w / 2 + 2, y - h / 2 + 2, digits, text);
    }

    // Every object's symbol, layer by layer in file order: the doors over
    // the walls, then the largest symbols, so that the smaller ones stay
    // in view on top of them.
    void Objects() {
        int top = 0;
        for (const MapObjectKindRules& kind : MapObjectKinds()) top = std::max(top, kind.symbol.layer);
        for (int layer = 0; layer <= top; ++layer) {
            for (const PlacedObject& object : model.Objects()) {
                const MapSymbol& symbol = RulesOf(object.kind).symbol;
                if (symbol.layer != layer) continue;
                if (symbol.shape == MapSymbolShape::kDoorBar)
                    DoorBar(object, symbol);
                else if (symbol.shape == MapSymbolShape::kWallBox)
                    WallMounted(object, symbol);
                else
                    Standing(object, symbol);
            }
        }
    }

    // A numbered symbol has its number beside it.
    void Standing(const PlacedObject& object, const MapSymbol& symbol) {
        const float x = PixelX(object.position.x + symbol.offset), y = PixelY(object.position.z + symbol.offset);
        symbols.Draw(symbol, x, y, true);
        if (!symbol.numbered || layout.cell < 12) return;
        // East of the symbol, or west of it where that would cross into the
        // next block.
        const int half = TextWidth(std::to_string(object.keyId)) / 2 + 3;
        const int gap = static_cast<int>(0.5f * symbols.unit) + half;
        int at = static_cast<int>(x) + gap;
        if (at + half > layout.CellX(object.column + 1)) at = static_cast<int>(x) - gap;
        KeyNumber(at, static_cast<int>(y), object.keyId, ToRgb(symbol.colour), c::kText);
    }

    // Against its wall, inside the wall's width.
    void WallMounted(const PlacedObject& object, const MapSymbol& symbol) {
        float dx, dz;
        Inward(object.facing, dx, dz);
        // Out from the loader's position by the wall as drawn and half the box.
        const float depth = WallUnits() + symbol.across / 2.0f;
        const bool alongX = object.facing == kFacingNorth || object.facing == kFacingSouth;
        symbols.Draw(symbol, PixelX(object.position.x + dx * depth), PixelY(object.position.z + dz * depth), alongX);
    }

    float WallUnits() const { return static_cast<float>(wallWidth) * 3.0f / static_cast<float>(layout.cell); }
    float PixelX(float x) const { return static_cast<float>(layout.mapLeft) + x * symbols.unit; }
    float PixelY(float z) const { return static_cast<float>(layout.mapTop) + z * symbols.unit; }

    const MapModel& model;
    const PictureLayout& layout;
    Canvas& canvas;
    Symbols symbols;
    int wallWidth;
};

// The legend: one row per symbol, drawn with the painter's own shapes.
class LegendPainter {
public:
    LegendPainter(Canvas& canvas, int x, int y, int cell)
        : canvas(canvas), symbols{canvas, static_cast<float>(kLegendSymbol) / 3.0f}, x(x), y(y), cell(cell) {}

    void Paint() {
        Cells();
        Faces();
        Kinds(true);
        Entrance();
        Kinds(false);
    }

private:
    static constexpr int s = kLegendSymbol;

    // Writes the row's label and gives the top of its symbol.
    int Next(const char* label) {
        const int top = y + row * kLegendRow;
        canvas.Text(x + s + 8, top + (s - kGlyphHeight) / 2, label, c::kText);
        ++row;
        return top;
    }

    void CellSwatch(Rgb colour, const char* label) {
        const int top = Next(label);
        canvas.Fill(x, top, x + s, top + s, colour);
        canvas.Frame(x, top, x + s, top + s, c::kFloorLine);
    }

    void Cells() {
        CellSwatch(c::kFloor, "floor");
        CellSwatch(c::kFloorCutOff, "floor out of reach");
        CellSwatch(c::kRockBlock, "block without floor");
        CellSwatch(c::kRock, "empty cell (rock)");
        CellSwatch(c::kSurface, "planet surface");
    }

    void Faces() {
        int top = Next("wall");
        canvas.Fill(x, top, x + s, top + s, c::kFloor);
        canvas.Fill(x, top, x + s, top + std::max(2, cell / 8), c::kWall);
        top = Next("face not drawn, solid");
        canvas.Fill(x, top, x + s, top + s, c::kFloor);
        for (int i = 0; i < s; ++i)
            if ((i / 3) % 2 == 0) canvas.Fill(x + i, top, x + i + 1, top + std::max(2, cell / 8), c::kSolidFace);
    }

    // A door's bar across a floor swatch; a numbered bar reaches a pixel
    // further under its number's box.
    void DoorBar(const MapSymbol& symbol) {
        const Rgb colour = ToRgb(symbol.colour);
        const int top = Next(symbol.legend), inset = symbol.numbered ? 1 : 2;
        canvas.Fill(x, top, x + s, top + s, c::kFloor);
        canvas.Fill(x + inset, top + s / 2 - 2, x + s - inset, top + s / 2 + 2, colour);
        if (!symbol.numbered) return;
        canvas.Fill(x + s / 2 - 5, top + s / 2 - 5, x + s / 2 + 4, top + s / 2 + 6, colour);
        canvas.Text(x + s / 2 - 3, top + s / 2 - 3, "1", c::kKeyNumber);
    }

    void Entrance() {
        const int top = Next("entrance and ramp");
        canvas.Fill(x, top, x + s, top + s, c::kRamp);
        canvas.Fill(x + 2, top + s / 2 - 1, x + s - 4, top + s / 2 + 1, c::kEntrance);
        for (int i = 0; i < 5; ++i)
            canvas.Fill(x + s - 8 + i, top + s / 2 - (4 - i), x + s - 7 + i, top + s / 2 + (5 - i), c::kEntrance);
    }

    // The kinds in the table's order: the doors before the entrance, the
    // others after it.
    void Kinds(bool doors) {
        for (const MapObjectKindRules& kind : MapObjectKinds()) {
            const MapSymbol& symbol = kind.symbol;
            if ((symbol.shape == MapSymbolShape::kDoorBar) != doors) continue;
            if (doors) {
                DoorBar(symbol);
                continue;
            }
            const int top = Next(symbol.legend);
            const float middle = static_cast<float>(top) + s / 2.0f;
            const float cx = static_cast<float>(x) + s / 2.0f;
            if (!symbol.numbered) {
                symbols.Draw(symbol, cx, middle, true);
                continue;
            }
            symbols.Draw(symbol, cx - 3, middle, true);
            canvas.Text(x + s - 4, top + (s - kGlyphHeight) / 2, "1", ToRgb(symbol.colour));
        }
    }

    Canvas& canvas;
    const Symbols symbols;
    const int x, y, cell;
    int row = 0;
};

void Legend(Canvas& canvas, int x, int y, int cell) { LegendPainter(canvas, x, y, cell).Paint(); }

// The cells' five swatches, two faces, the entrance and one row a kind.
int LegendRows() { return 8 + static_cast<int>(MapObjectKinds().size()); }

}  // namespace

Rgb SymbolColour(MapObjectKind kind) { return ToRgb(RulesOf(kind).symbol.colour); }

int PictureLayout::X(float x) const {
    return mapLeft + static_cast<int>(std::floor(x * static_cast<float>(cell) / 3.0f));
}

int PictureLayout::Y(float z) const {
    return mapTop + static_cast<int>(std::floor(z * static_cast<float>(cell) / 3.0f));
}

MapPicture::MapPicture(const MapModel& model, const std::string& title) {
    layout.cell = CellPixels(model.Rows(), model.Columns());
    layout.mapLeft = kMargin + kRampCells * layout.cell;
    layout.mapTop = kMargin + kTitleHeight + layout.cell / 2;
    const int mapRight = layout.mapLeft + model.Columns() * layout.cell + layout.cell / 2;
    const int mapBottom = layout.mapTop + model.Rows() * layout.cell + layout.cell / 2;
    const int legendLeft = mapRight + kLegendGap;
    const int legendTop = kMargin + kTitleHeight;
    layout.width = std::max(legendLeft + kLegendWidth, kMargin + TextWidth(title) + kMargin);
    layout.height = std::max(mapBottom, legendTop + LegendRows() * kLegendRow) + kMargin;

    Canvas canvas(layout.width, layout.height, colours::kBackground);
    canvas.Text(kMargin, kMargin, title, colours::kText);
    Painter(model, layout, canvas).Paint();
    Legend(canvas, legendLeft, legendTop, layout.cell);
    pixels = canvas.Take();
}

Rgb MapPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= layout.width || y >= layout.height) return Rgb{};
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(layout.width) + static_cast<size_t>(x)];
}

// Through the image writer, which writes beside the old file and renames
// over it, and opens FIFOs and devices without waiting for a reader.
bool MapPicture::SaveBmp(const std::string& path) const {
    ondra::Image image(layout.width, layout.height, ondra::RGB);
    if (image.IsEmpty()) return false;
    for (int row = 0; row < layout.height; ++row) {
        std::uint8_t* out = image.GetRow(row);  // rows bottom-up
        for (int x = 0; x < layout.width; ++x) {
            const Rgb p = At(x, layout.height - 1 - row);
            *out++ = p.r;
            *out++ = p.g;
            *out++ = p.b;
        }
    }
    return image.Save(path.c_str());
}

}  // namespace mapcheck
