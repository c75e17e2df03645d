// GeneratorCore: the generator's floating core, spinning inside crackling
// electricity and lightning that are renewed as they burn out. Once the
// generator is wrecked the core drops its effects and burns. It keeps a
// world position for collisions but draws in the generator's frame.
#pragma once

#include <memory>

#include "game/effects/electricity.h"
#include "game/effects/flame.h"
#include "game/effects/lightning.h"
#include "game/objects/object.h"

namespace ondra {
class Model;
}
class ModelCache;
class TextureCache;

class GeneratorCore : public CObject {
public:
    static constexpr int kSpinStep = 10;  // degrees per frame, whatever the frame time
    static constexpr float kHeight = 2.15f;
    static constexpr float kRadius = 1.0f;

    GeneratorCore(ModelCache* models, TextureCache* textures);
    ~GeneratorCore() override;

    // Intact: spins and keeps its effects alive. Destroyed: its sphere falls
    // to 0.5, and rests there, while the flame burns.
    void Update(float dt) override;
    void Draw() override;

    // Called by the generator at its last hit; the flame burns from then on.
    void Destroy(std::unique_ptr<Flame> burningFlame);

    bool Destroyed() const { return destroyed; }
    int Spin() const { return spin; }
    const Electricity* ElectricityEffect() const { return electricity.get(); }
    const Lightning* LightningEffect() const { return lightning.get(); }
    const Flame* FlameEffect() const { return flame.get(); }

    std::string StateLine() const override;

private:
    void RenewBurntOutEffects();

    TextureCache* textureCache;
    ondra::Model* core = nullptr;
    int spin = 0;
    bool destroyed = false;
    std::unique_ptr<Electricity> electricity;
    std::unique_ptr<Lightning> lightning;
    std::unique_ptr<Flame> flame;
};
