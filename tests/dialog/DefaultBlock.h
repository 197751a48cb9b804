// The block a fresh run starts from: every byte zero except the defaults.
#pragma once

#include <cstring>

#include "product/engine/EffectParameters.h"

inline EffectParameters DefaultBlock() {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    return p;
}
