// Drawing a block: the shared wall list holds a wall standing on the block's
// north edge, so each other wall is turned onto its own edge first.
#include "game/level/block.h"

#include <GL/gl.h>

namespace {

bool DrawnFrom(const BlockPart& wall, unsigned int list) {
    return wall.displayList > 0 && static_cast<unsigned int>(wall.displayList) == list;
}

void DrawIfPresent(const std::unique_ptr<BlockPart>& face) {
    if (face) face->Draw();
}

void CallRun(const std::vector<unsigned int>& runs, int length) {
    if (length > 0) glCallList(runs[static_cast<size_t>(length) - 1]);
}

// The wall's list, with the back side cut to what can show in this view.
void DrawWallShownParts(const BlockPart& wall, const WallBackLists& lists, const PerspectiveLimits& view) {
    wall.BindTexture();
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    const WallBackRuns runs = ShownWallBack(modelview, view, lists.edges);
    if (runs.whole) {
        glCallList(lists.back);
    } else {
        CallRun(lists.leadingColumns, runs.leadingColumns);
        CallRun(lists.trailingColumns, runs.trailingColumns);
        CallRun(lists.leadingRows, runs.leadingRows);
        CallRun(lists.trailingRows, runs.trailingRows);
    }
    glCallList(lists.endsAndFront);
}

}  // namespace

// Every pass over the walls turns them through this one sequence of matrix
// calls, so a wall's vertices land on the same pixels and depths in each.
template <typename DrawWall>
void Block::ForEachWall(DrawWall drawWall) const {
    if (north) drawWall(*north);
    if (south) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glTranslatef(3.0f, 0.0f, 0.0f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        drawWall(*south);
        glPopMatrix();
    }
    if (east) {
        glPushMatrix();
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -3.0f);
        drawWall(*east);
        glPopMatrix();
    }
    if (west) {
        // The slab's lit side lands on the block's edge; its back reaches
        // 0.1 into the western neighbour.
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -0.1f);
        drawWall(*west);
        glPopMatrix();
    }
}

void Block::Draw() const {
    DrawIfPresent(ceiling);
    DrawIfPresent(floor);
    ForEachWall([](const BlockPart& wall) { wall.Draw(); });
}

// A back quad in both a column run and a row run is drawn twice: the same
// triangles at the same depths, so the second changes no pixel.
void Block::DrawShownParts(const FaceLists& lists, const PerspectiveLimits& view) const {
    DrawIfPresent(ceiling);
    DrawIfPresent(floor);
    const bool split = lists.wallBack.Steps() > 0;
    ForEachWall([&](const BlockPart& wall) {
        if (split && DrawnFrom(wall, lists.wall))
            DrawWallShownParts(wall, lists.wallBack, view);
        else
            wall.Draw();
    });
}

void Block::DrawWallFronts(const FaceLists& lists, const DepthPassView& view) const {
    ForEachWall([&](const BlockPart& wall) {
        if (!DrawnFrom(wall, lists.wall)) return;
        float modelview[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        const FrontLaying laying = ChooseFrontLaying(modelview, view, lists.wallFrontInset);
        if (laying.square == 0) {
            glCallList(lists.wallFront);
            return;
        }
        glCallList(laying.square);
        if (laying.grid != 0) glCallList(laying.grid);
    });
}
