// The product's plug-in object: the one static instance that the host's calls reach.
#pragma once

#include <array>
#include <cstdint>

#include "OrvLib/plugin/OrvPSFilter.h"
#include "product/engine/EffectParameters.h"

class PSVarnPlugin : public OrvPSFilter {
public:
    PSVarnPlugin() = default;
    ~PSVarnPlugin() override = default;

    int32 GetParametersSize() override { return int32(sizeof(EffectParameters)); }
    void SetParameters(void* address) override;
    void InitParameters() override;
    void RestoreParameters() override;

    void OnStart() override;

    EffectParameters* Parameters() const { return parameters; }
    const OrvRect& FilterArea() const { return filterArea; }
    bool WholeImage() const { return wholeImage; }
    bool QuickPreview() const { return quickPreview; }
    void SetQuickPreview(bool quick) { quickPreview = quick; }

    // What the dialog does to the plug-in before OK: size the previews and render one.
    void PrepareHeadlessPreview();
    static constexpr int32_t kHeadlessPreviewWidth = 264;
    static constexpr int32_t kHeadlessPreviewHeight = 210;

private:
    void ScanPresets();

    EffectParameters* parameters = nullptr;
    // Copy of the record the loaded object set was made for.
    std::array<uint8_t, sizeof(EffectParameters)> objectCacheKey{};
    OrvRect filterArea;
    bool wholeImage = true;
    bool quickPreview = false;
};

// The single plug-in object of this library.
PSVarnPlugin& ThePlugin();
