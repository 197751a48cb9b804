// Quantities that placement and drawing derive from the settings record, computed on a
// sanitised copy so that no stored block, however odd, reaches undefined arithmetic.
// The order of every operation is fixed: these numbers decide where a seed's copies go.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/engine/EffectParameters.h"

constexpr int32_t kMostCopies = 10000;

// A copy of p that the engine can use as it is, each field read by its rule in the
// settings table: non-finite doubles take their defaults, scales that are not positive
// become 1.0 and both are held to 0.01..100, angles are reduced modulo 360 (keeping their
// sign), density is held to 0 and up (the copy count bounds the rest), textureAmount to
// 0..100, and path ends in a terminator. A block as the dialog writes it comes back
// unchanged, bit for bit.
EffectParameters SanitizedEffectParameters(const EffectParameters& p);

// Exactly 1.0 means off; so does depth, and with it the three depth options.
inline bool IsRandomScaling(const EffectParameters& p) { return p.randomScale != 1.0; }
inline bool IsRandomRotation(const EffectParameters& p) { return p.randomRotation != 0.0; }

// The dialog's logarithmic sliders: 10^(position * 0.01).
double SliderFactor(int32_t position);

// u: the root-mean-square of the copy scale s * v^(2r - 1) over r uniform in [0, 1], so
// that the copy count counts copies of mean area. u = s when v is 1.0; otherwise
// s * sqrt((v v - 1.0 / (v v)) / (4.0 ln v)).
double MeanScale(double scale, double randomScale);

// The area positions are drawn from: filterArea, whose left and top edges move out by
// trunc(edge - size * u) so that copies can hang in, unless only whole objects are kept.
OrvRect PlacementArea(const OrvRect& filterArea, int32_t meanWidth, int32_t meanHeight, double meanScale,
                      bool wholeObjectsOnly);

// The number of attempts: n = (area pixels) * (10 / ((W H * u) * u)), at most 10000, then
// trunc((n * density) * 0.01), held to 1..10000 (NaN gives 1). The pixel products are
// formed in double, which agrees with 32 bits for every area below 2^31 pixels.
int32_t CopyCount(const OrvRect& area, int32_t meanWidth, int32_t meanHeight, double meanScale,
                  int32_t density);

// One copy's angle and scale from its draw r in [0, 1]:
// rotationAngle + ((2 r) - 1) * randomRotation, and scale * randomScale^((2 r) - 1).
double CopyAngle(double rotationAngle, double randomRotation, double r);
double CopyScale(double scale, double randomScale, double r);
