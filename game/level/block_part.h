// BlockPart and its three kinds: one textured face of a level block, drawn
// by calling one of the level's shared face display lists.
#pragma once

class BlockPart {
public:
    BlockPart() = default;
    virtual ~BlockPart() = default;

    BlockPart(const BlockPart&) = delete;
    BlockPart& operator=(const BlockPart&) = delete;

    // Binds the face's texture and calls its list. A plain part keeps list 0,
    // so it draws nothing, yet it still counts as a wall for collisions.
    virtual void Draw() const;
    // Enables texturing with the face's texture bound, as Draw does first.
    void BindTexture() const;

    // GL texture name from the texture cache; 0, for no texture or a
    // missing one, draws untextured.
    unsigned int textureId = 0;
    int displayList = 0;
};

class Wall : public BlockPart {
public:
    explicit Wall(int wallList) { displayList = wallList; }
};

class FloorTile : public BlockPart {
public:
    explicit FloorTile(int floorList) { displayList = floorList; }
};

class Ceiling : public BlockPart {
public:
    explicit Ceiling(int ceilingList) { displayList = ceilingList; }
};
