// Frustum and grid tests for the frame's blocks and objects.
#include "game/world/scene_culler.h"

#include <GL/gl.h>

#include "game/level/level.h"

namespace {

// Beyond a model's own size: sideways, a door leaf slides up to a block's
// width from the door's centre and sparks fly about two units; upwards, a
// flame's particles rise about 13 units before they die.
constexpr float kEffectSideReach = 4.0f;
constexpr float kEffectUpReach = 15.0f;
constexpr float kEffectDownReach = 2.0f;
// Block geometry stays within its cell but for rounding.
constexpr float kBlockSlack = 0.05f;

}  // namespace

void SceneCuller::SetModelReach(float modelReach) {
    sideReach = modelReach + kEffectSideReach;
    upReach = modelReach + kEffectUpReach;
    downReach = modelReach + kEffectDownReach;
}

void SceneCuller::SeeEverything() {
    everything = true;
    blocksShown.clear();
}

void SceneCuller::Look(const Level& level, const Vector3& eye, const ViewFrustum& view) {
    everything = false;
    frustum = view;
    cells.Look(level, eye);
    const int rows = level.Rows(), columns = level.Columns();
    blocksShown.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), 0);
    const float step = static_cast<float>(level.BlockSize());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (!level.BlockAt(r, c) || !cells.Seen(r, c)) continue;
            const Vector3 corner(static_cast<float>(c) * step, 0.0f, static_cast<float>(r) * step);
            const Box3 box{corner - Vector3(kBlockSlack, kBlockSlack, kBlockSlack),
                           corner + Vector3(Level::kBlockUnits + kBlockSlack, Level::kBlockUnits + kBlockSlack,
                                            Level::kBlockUnits + kBlockSlack)};
            blocksShown[static_cast<size_t>(r) * columns + c] = frustum.MayHoldBox(box);
        }
}

bool SceneCuller::MayShow(const Box3& box) const {
    return everything || (frustum.MayHoldBox(box) && cells.MayShow(box));
}

Box3 SceneCuller::ReachAround(const Vector3& p) const {
    return Box3{Vector3(p.x - sideReach, p.y - downReach, p.z - sideReach),
                Vector3(p.x + sideReach, p.y + upReach, p.z + sideReach)};
}

bool SceneCuller::MayShow(const CObject& object) const {
    if (everything || MayShow(ReachAround(object.position))) return true;
    for (const CObject& child : object.Children())
        if (MayShow(child)) return true;
    return false;
}

std::size_t SceneCuller::DrawGroup(CObject& group) {
    MembersToDraw(group);
    std::size_t index = 0;
    std::size_t drawn = 0;
    glPushMatrix();
    group.Draw();
    for (CObject& member : group.Children()) {
        if (shown[index++]) {
            member.DrawSubtree();
            ++drawn;
        } else {
            member.PassUnseen();
        }
    }
    glPopMatrix();
    return drawn;
}

// Walked from the end, so that the last of each look is the one kept. Two
// members of one look stand in one place, so both are in sight or neither.
void SceneCuller::MembersToDraw(const CObject& group) {
    members.clear();
    for (const CObject& member : group.Children()) members.push_back(&member);
    shown.assign(members.size(), 0);
    later.Clear(members.size());
    for (std::size_t i = members.size(); i-- > 0;) {
        const CObject& member = *members[i];
        if (!MayShow(member)) continue;
        ObjectLook look;
        shown[i] = everything || member.HasChild() || !member.Look(look) || later.Insert(look);
    }
}
