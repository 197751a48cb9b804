// The effect's settings record. The host stores it byte for byte between runs, so this
// layout is a stored format: every offset and the padding are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

struct EffectParameters {
    char path[260];          // object file, or folder when multipleImages; NUL-terminated
    int32_t presetCategory;  // -1 is the custom entry
    uint8_t multipleImages;
    uint8_t padding1[3];
    int32_t density;  // percent of the full copy count
    double scale;
    double randomScale;     // exactly 1.0 means random scaling (and depth) is off
    double rotationAngle;   // degrees
    double randomRotation;  // half-width of the random range, degrees
    uint8_t orderByDepth;
    uint8_t fadeWithDepth;
    uint8_t desaturateWithDepth;
    uint8_t padding2;
    int32_t randomSeed;  // 0 behaves as 1
    uint8_t applyAsTexture;
    uint8_t padding3[3];
    int32_t textureAmount;  // percent
    uint8_t wholeObjectsOnly;
    uint8_t noOverlap;
    uint8_t opacity;
    uint8_t padding4[5];
};

static_assert(sizeof(EffectParameters) == 328, "stored block size");
static_assert(offsetof(EffectParameters, presetCategory) == 260, "layout");
static_assert(offsetof(EffectParameters, multipleImages) == 264, "layout");
static_assert(offsetof(EffectParameters, density) == 268, "layout");
static_assert(offsetof(EffectParameters, scale) == 272, "layout");
static_assert(offsetof(EffectParameters, randomScale) == 280, "layout");
static_assert(offsetof(EffectParameters, rotationAngle) == 288, "layout");
static_assert(offsetof(EffectParameters, randomRotation) == 296, "layout");
static_assert(offsetof(EffectParameters, orderByDepth) == 304, "layout");
static_assert(offsetof(EffectParameters, fadeWithDepth) == 305, "layout");
static_assert(offsetof(EffectParameters, desaturateWithDepth) == 306, "layout");
static_assert(offsetof(EffectParameters, randomSeed) == 308, "layout");
static_assert(offsetof(EffectParameters, applyAsTexture) == 312, "layout");
static_assert(offsetof(EffectParameters, textureAmount) == 316, "layout");
static_assert(offsetof(EffectParameters, wholeObjectsOnly) == 320, "layout");
static_assert(offsetof(EffectParameters, noOverlap) == 321, "layout");
static_assert(offsetof(EffectParameters, opacity) == 322, "layout");

// Writes the defaults, field by field; orderByDepth and the padding are left as they are.
void ResetEffectParameters(EffectParameters& p);
