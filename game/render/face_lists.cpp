// Tessellating the floor, wall and ceiling faces into display lists.
#include "game/render/face_lists.h"

#include <GL/gl.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace {

constexpr float kStep = 0.1f;
// Bounds the grid when a huge span would stall the float steps.
constexpr int kMaxSteps = 1000;

// One quad of the face grid: texture coordinates (u, v) to (u2, v2) and the
// same corners scaled to the 3-unit face.
struct GridQuad {
    float u, v, u2, v2;  // texture coordinates
    float x, y, x2, y2;  // face coordinates, 0 to 3
    int column, row;     // the quad's place in the grid, along x and along y
};

// Calls emit(quad) for each quad of the grid. The far edge of one quad is
// the near edge of the next, bit for bit, so the faces have no cracks.
template <typename Emit>
void ForEachGridQuad(float span, Emit emit) {
    int column = 0;
    for (float u = 0.0f; u < span && column < kMaxSteps; ++column) {
        const float u2 = u + kStep;
        int row = 0;
        for (float v = 0.0f; v < span && row < kMaxSteps; ++row) {
            const float v2 = v + kStep;
            emit(GridQuad{u / span, v / span, u2 / span, v2 / span, u * 3.0f / span, v * 3.0f / span,
                          u2 * 3.0f / span, v2 * 3.0f / span, column, row});
            v = v2;
        }
        u = u2;
    }
}

void Corner(float s, float t, float x, float y, float z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}

// Faces +y at y = 0.
void EmitFloor(float span) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    ForEachGridQuad(span, [](const GridQuad& q) {
        Corner(q.u, q.v, q.x, 0.0f, q.y);
        Corner(q.u, q.v2, q.x, 0.0f, q.y2);
        Corner(q.u2, q.v2, q.x2, 0.0f, q.y2);
        Corner(q.u2, q.v, q.x2, 0.0f, q.y);
    });
    glEnd();
}

bool EveryQuad(const GridQuad&) { return true; }

// One side of the wall slab in the x-y plane at depth z, facing +z: the
// quads `included` accepts.
template <typename Include = bool (*)(const GridQuad&)>
void EmitWallSide(float span, float z, Include included = EveryQuad) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    ForEachGridQuad(span, [z, included](const GridQuad& q) {
        if (!included(q)) return;
        Corner(q.u, q.v, q.x, q.y, z);
        Corner(q.u2, q.v, q.x2, q.y, z);
        Corner(q.u2, q.v2, q.x2, q.y2, z);
        Corner(q.u, q.v2, q.x, q.y2, z);
    });
    glEnd();
}

// The slab's untextured end at x, seen from either side: culling is off
// while it is drawn.
void EmitWallEdge(float x, float normalX) {
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    glNormal3f(normalX, 0.0f, 0.0f);
    glVertex3f(x, 0.0f, 0.0f);
    glVertex3f(x, 0.0f, 0.1f);
    glVertex3f(x, 3.0f, 0.1f);
    glVertex3f(x, 3.0f, 0.0f);
    glEnd();
    glEnable(GL_CULL_FACE);
}

// The slab's ends carry no texture coordinates of their own: they take
// the current ones, which the whole wall leaves at the back side's last
// corner. Set here, they stay the same when the back side is drawn in part.
void EmitWallEndsAndFront(float span) {
    float s = 0.0f;
    float t = 0.0f;
    ForEachGridQuad(span, [&](const GridQuad& q) {
        s = q.u;
        t = q.v2;
    });
    glTexCoord2f(s, t);
    EmitWallEdge(0.0f, -1.0f);
    EmitWallSide(span, kWallFrontZ);
    EmitWallEdge(3.0f, 1.0f);
}

void EmitWallBack(float span) { EmitWallSide(span, 0.0f); }

// Both large sides face +z, so from behind (-z) the wall culls away; only
// its two ends show there. The back side is drawn first; it shows only in
// the cracks where the front meets the ends.
void EmitWall(float span) {
    EmitWallBack(span);
    EmitWallEndsAndFront(span);
}

void EmitWallFront(float span) { EmitWallSide(span, kWallFrontZ); }

// Faces -y at y = 3.
void EmitCeiling(float span) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, -1.0f, 0.0f);
    ForEachGridQuad(span, [](const GridQuad& q) {
        Corner(q.u, q.v, q.x, 3.0f, q.y);
        Corner(q.u2, q.v, q.x2, 3.0f, q.y);
        Corner(q.u2, q.v2, q.x2, 3.0f, q.y2);
        Corner(q.u, q.v2, q.x, 3.0f, q.y2);
    });
    glEnd();
}

template <typename Emit>
unsigned int CompileList(float span, Emit emit) {
    const GLuint list = glGenLists(1);
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    emit(span);
    glEndList();
    return list;
}

void DeleteList(unsigned int& list) {
    if (list != 0) glDeleteLists(list, 1);
    list = 0;
}

// The grid's edges along one side, from its quads.
std::vector<float> GridEdges(float span) {
    std::vector<float> edges;
    ForEachGridQuad(span, [&edges](const GridQuad& q) {
        if (q.row != 0) return;
        if (edges.empty()) edges.push_back(q.x);
        edges.push_back(q.x2);
    });
    return edges;
}

// Lists of a slab side's quads (at depth z) whose place along one axis
// (`place` gives it) lies in the first n, or the last n, for n = 1 to
// steps - 1.
template <typename Place>
void CompileSideRuns(float span, float z, int steps, Place place, std::vector<unsigned int>& leading,
                     std::vector<unsigned int>& trailing) {
    for (int n = 1; n < steps; ++n) {
        leading.push_back(CompileList(span, [&](float s) {
            EmitWallSide(s, z, [&](const GridQuad& q) { return place(q) < n; });
        }));
        trailing.push_back(CompileList(span, [&](float s) {
            EmitWallSide(s, z, [&](const GridQuad& q) { return place(q) >= steps - n; });
        }));
    }
}

int ColumnOf(const GridQuad& q) { return q.column; }
int RowOf(const GridQuad& q) { return q.row; }

template <typename Visit>
void ForEachWallBackList(WallBackLists& lists, Visit visit) {
    visit(lists.back);
    visit(lists.endsAndFront);
    for (auto* runs : {&lists.leadingColumns, &lists.trailingColumns, &lists.leadingRows, &lists.trailingRows})
        for (unsigned int& list : *runs) visit(list);
}

bool AllCompiled(WallBackLists& lists) {
    bool all = true;
    ForEachWallBackList(lists, [&all](unsigned int list) { all = all && list != 0; });
    return all;
}

void DeleteWallBackLists(WallBackLists& lists) {
    ForEachWallBackList(lists, DeleteList);
    lists = WallBackLists{};
}

WallBackLists CompileWallBackLists(float span) {
    WallBackLists lists;
    std::vector<float> edges = GridEdges(span);
    const int steps = static_cast<int>(edges.size()) - 1;
    if (steps < 1 || steps > WallBackLists::kMostSteps) return lists;
    lists.edges = std::move(edges);
    lists.back = CompileList(span, EmitWallBack);
    lists.endsAndFront = CompileList(span, EmitWallEndsAndFront);
    CompileSideRuns(span, 0.0f, steps, ColumnOf, lists.leadingColumns, lists.trailingColumns);
    CompileSideRuns(span, 0.0f, steps, RowOf, lists.leadingRows, lists.trailingRows);
    // Split walls must draw all the quads the whole list draws, or none.
    if (!AllCompiled(lists)) DeleteWallBackLists(lists);
    return lists;
}

// The inset square over the grid's columns from edge `first` to edge `last`.
void EmitInsetFront(const std::vector<float>& edges, size_t first, size_t last) {
    const float inset = InsetFrontList::kInset;
    const float left = edges[first] + inset, right = edges[last] - inset;
    const float bottom = edges.front() + inset, top = edges.back() - inset;
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(left, bottom, kWallFrontZ);
    glVertex3f(right, bottom, kWallFrontZ);
    glVertex3f(right, top, kWallFrontZ);
    glVertex3f(left, top, kWallFrontZ);
    glEnd();
}

void DeleteInsetFront(InsetFrontList& front) {
    for (auto* lists : {&front.leading, &front.trailing, &front.gridLeading, &front.gridTrailing})
        for (unsigned int& list : *lists) DeleteList(list);
    front = InsetFrontList{};
}

// Empty when a square would not fit inside a column (or a list could not
// be made): such walls lay their fronts with the grid.
InsetFrontList CompileInsetFront(float span) {
    InsetFrontList front;
    front.edges = GridEdges(span);
    const size_t steps = front.edges.empty() ? 0 : front.edges.size() - 1;
    if (steps < 1 || steps > static_cast<size_t>(WallBackLists::kMostSteps)) return InsetFrontList{};
    for (size_t i = 0; i < steps; ++i)
        if (!(front.edges[i + 1] - front.edges[i] > 2.0f * InsetFrontList::kInset)) return InsetFrontList{};
    for (size_t n = 1; n <= steps; ++n) {
        front.leading.push_back(CompileList(span, [&](float) { EmitInsetFront(front.edges, 0, n); }));
        front.trailing.push_back(CompileList(span, [&](float) { EmitInsetFront(front.edges, steps - n, steps); }));
    }
    CompileSideRuns(span, kWallFrontZ, static_cast<int>(steps), ColumnOf, front.gridLeading, front.gridTrailing);
    bool all = true;
    for (auto* lists : {&front.leading, &front.trailing, &front.gridLeading, &front.gridTrailing})
        for (unsigned int list : *lists) all = all && list != 0;
    if (!all) DeleteInsetFront(front);
    return front;
}

}  // namespace

FaceLists CompileFaceLists(float span) {
    FaceLists lists;
    lists.floor = CompileList(span, EmitFloor);
    lists.wall = CompileList(span, EmitWall);
    lists.ceiling = CompileList(span, EmitCeiling);
    lists.wallFront = CompileList(span, EmitWallFront);
    lists.wallBack = CompileWallBackLists(span);
    lists.wallFrontInset = CompileInsetFront(span);
    return lists;
}

void DeleteFaceLists(FaceLists& lists) {
    for (unsigned int* list : {&lists.floor, &lists.wall, &lists.ceiling, &lists.wallFront}) DeleteList(*list);
    DeleteInsetFront(lists.wallFrontInset);
    DeleteWallBackLists(lists.wallBack);
}
