#include "product/engine/EffectParameters.h"

void ResetEffectParameters(EffectParameters& p) {
    p.path[0] = 0;
    p.multipleImages = 0;
    p.presetCategory = 0;
    p.density = 10;
    p.scale = 1.0;
    p.randomScale = 1.0;
    p.rotationAngle = 0.0;
    p.randomRotation = 0.0;
    p.fadeWithDepth = 0;
    p.desaturateWithDepth = 0;
    p.randomSeed = 1;
    p.applyAsTexture = 0;
    p.textureAmount = 50;
    p.wholeObjectsOnly = 0;
    p.noOverlap = 0;
    p.opacity = 255;
}
