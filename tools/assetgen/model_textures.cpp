// Model texture painting. The ground and concrete tile, since the surface
// repeats them many times across the plain.
#include "tools/assetgen/model_textures.h"

#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/texture_painter.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas PaintGround()
{
    Canvas c(256, 256, {}, true);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const float u = (x + 0.5f) / 256.0f;
            const float v = (y + 0.5f) / 256.0f;
            const float large = TileFbm(u, v, 4, 4, 801);
            const float grit = TileFbm(u, v, 32, 2, 802);
            const float cracks = std::fabs(TileFbm(u, v, 8, 3, 803) - 0.5f);
            const Color dust{0.46f, 0.34f, 0.26f, 1.0f};
            const Color rock{0.30f, 0.26f, 0.24f, 1.0f};
            Color ground = Mix(dust, rock, std::clamp((large - 0.4f) * 3.0f, 0.0f, 1.0f));
            ground = Scaled(ground, 0.8f + 0.4f * grit);
            if (cracks < 0.02f) {
                ground = Scaled(ground, 0.55f + cracks * 15.0f);
            }
            c.Set(x, y, ground);
        }
    }
    return c;
}

Canvas PaintConcrete()
{
    Canvas c(256, 256, {}, true);
    PaintNoisyBase(c, {0.52f, 0.51f, 0.49f, 1.0f}, 0.2f, 8, 811);
    // Formwork seams every half tile.
    for (float y : {0.0f, 128.0f}) {
        c.FillRect(0, y - 1, 256, y + 1, {0.25f, 0.25f, 0.24f, 1.0f});
    }
    c.FillRect(-1, 0, 1, 256, {0.25f, 0.25f, 0.24f, 1.0f});
    PaintGrime(c, 0.4f, 4, 812);
    return c;
}

Canvas PaintVorlaxSkin()
{
    // Scaly green-grey hide with darker mottling.
    Canvas c(256, 256, {}, true);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const float u = (x + 0.5f) / 256.0f;
            const float v = (y + 0.5f) / 256.0f;
            const float mottle = TileFbm(u, v, 4, 4, 821);
            // Scales: distance to the nearest cell centre of a hexagon-like grid.
            const float sx = u * 24.0f;
            const float sy = v * 24.0f + ((static_cast<int>(std::floor(sx)) & 1) ? 0.5f : 0.0f);
            const float dx = sx - std::floor(sx) - 0.5f;
            const float dy = sy - std::floor(sy) - 0.5f;
            const float scale = 1.0f - std::clamp(std::hypot(dx, dy) * 1.6f, 0.0f, 1.0f);
            const Color light{0.42f, 0.55f, 0.30f, 1.0f};
            const Color dark{0.16f, 0.22f, 0.14f, 1.0f};
            Color skin = Mix(dark, light, mottle);
            skin = Scaled(skin, 0.6f + 0.6f * scale);
            c.Set(x, y, skin);
        }
    }
    return c;
}

Canvas PaintMedikitLabel()
{
    Canvas c(128, 128, {0.93f, 0.93f, 0.9f, 1.0f}, false);
    c.FrameRect(4, 4, 124, 124, 6, {0.75f, 0.1f, 0.1f, 1.0f});
    c.FillRect(50, 22, 78, 106, {0.8f, 0.08f, 0.08f, 1.0f});
    c.FillRect(22, 50, 106, 78, {0.8f, 0.08f, 0.08f, 1.0f});
    return c;
}

Canvas PaintToolboxPaint()
{
    Canvas c(256, 256, {}, true);
    PaintNoisyBase(c, {0.75f, 0.38f, 0.08f, 1.0f}, 0.1f, 4, 831);
    PaintGrime(c, 0.3f, 4, 832);
    Random random(833);
    PaintScratches(c, 80, 16.0f, random);
    return c;
}

void WriteModelTextures(OutputFolder& out)
{
    out.SaveJpeg(names::kGround, PaintGround());
    out.SaveJpeg(names::kConcrete, PaintConcrete());
    out.SaveJpeg(names::kVorlaxSkin, PaintVorlaxSkin());
    out.SaveBmp24(names::kMedikitLabel, PaintMedikitLabel());
    out.SaveJpeg(names::kToolboxPaint, PaintToolboxPaint());
}

}  // namespace assetgen
