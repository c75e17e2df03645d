// The display lists every block face is drawn from: a 3 x 3 floor, a
// 0.1-thick wall slab and a ceiling, each split into small quads so the
// fixed-function lights shade across the face instead of only at its corners.
#pragma once

struct FaceLists {
    unsigned int floor = 0;
    unsigned int wall = 0;
    unsigned int ceiling = 0;
    // The slab's front side alone, vertex for vertex as `wall` draws it, for
    // laying the fronts into the depth buffer ahead of the walls.
    unsigned int wallFront = 0;
};

// Compiles the lists (floor first, then wall, then ceiling, then wallFront). Texture and
// grid coordinates advance in steps of 0.1 while below `span`, so a span of
// 1.0 gives 10 x 10 quads with the texture covering each face once. Needs a
// current GL context; a list GL could not create stays 0.
FaceLists CompileFaceLists(float span);

// Deletes the lists in the current context and zeroes the names.
void DeleteFaceLists(FaceLists& lists);
