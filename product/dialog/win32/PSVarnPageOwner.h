// What a page of the effect dialog needs from the dialog that holds it: the live parameter
// block it writes into, the colour scheme its controls paint with, the preset library, and
// the preview refresh it asks for after every change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "OrvLib/controls/ColourScheme.h"
#include "product/PresetLibrary.h"
#include "product/engine/EffectParameters.h"

class PSVarnPageOwner {
public:
    virtual ~PSVarnPageOwner() = default;
    virtual EffectParameters& PageParameters() = 0;
    // The same block whole, its extension included (PageParameters is its start).
    virtual uint8_t* PageBlock() = 0;
    virtual size_t PageBlockSize() const = 0;
    virtual const ColourScheme* PageScheme() const = 0;
    // The preset library as this run scanned it.
    virtual const std::vector<PresetCategory>& PagePresets() const = 0;
    // quick while a thumb or the angle needle is dragged, full otherwise.
    virtual void UpdatePreview(bool quick) = 0;
    // A line about the last preview's settings that a person should know (a map file that
    // cannot be read), or empty.
    virtual std::string PageNotice() const { return std::string(); }
};
