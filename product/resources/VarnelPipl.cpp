#include "product/resources/VarnelPipl.h"

PiplDescription VarnelPiplDescription(bool x64) {
    PiplDescription d;
    d.name = "Varnel...";
    d.category = "creativity";
    d.entryPoint = "PluginMain";
    d.x64 = x64;
    d.modeFlags = {0x10, 0x00};  // RGB colour only
    d.enableExpression = "in (PSHOP_ImageMode, RGBMode)";
    const uint8_t always = piplFlagWorksWithBlankData | piplFlagFiltersLayerMask;
    const uint8_t withSelection = always | piplFlagWritesOutsideSelection;
    // Cases in the interface's order; those with a selection or a floating selection may
    // be written outside it.
    const bool selected[7] = {false, true, true, false, true, false, true};
    for (int i = 0; i < 7; ++i) {
        d.cases[i] =
            PiplFilterCase{piplHandlingNone, piplHandlingNone, selected[i] ? withSelection : always, 0};
    }
    return d;
}
