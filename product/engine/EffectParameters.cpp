#include "product/engine/EffectParameters.h"

#include "product/engine/SettingsTable.h"

void ResetEffectParameters(EffectParameters& p) { ResetSettings(reinterpret_cast<uint8_t*>(&p), sizeof p); }
