// The product's plug-in object: the one static instance that the host's calls reach.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "OrvLib/plugin/OrvPSFilter.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/SettingsTable.h"
#include "product/engine/ObjectSet.h"
#include "product/PresetLibrary.h"
#include "product/engine/Placement.h"
#include "product/engine/CopyPainter.h"
#include "product/engine/PlacementBins.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/WorkerPool.h"
#include "product/engine/Guides.h"

class PSVarnPlugin : public OrvPSFilter {
public:
    PSVarnPlugin();
    ~PSVarnPlugin() override;

    int32 GetParametersSize() override { return int32(kSettingsBlockSize); }
    int32 GetParametersKeptSize() override { return int32(sizeof(EffectParameters)); }
    void SetParameters(void* address) override;
    void InitParameters() override;
    void RestoreParameters() override;

    void OnStart() override;

    void PlacePlacements(bool preview) override;
    void RenderArea(const PixelBuffer& input, const PixelBuffer& output, const OrvRect& area) override;
    void RenderAreaMasked(const PixelBuffer& input, const PixelBuffer& output, const PixelBuffer& mask,
                          const OrvRect& area) override;
    const std::vector<Placement>& Placements() const { return placements; }
    const std::vector<PresetCategory>& Presets() const { return presets; }
    static constexpr uint32_t kQuickBudget = 200;  // milliseconds of drawing in a quick preview

    EffectParameters* Parameters() const { return parameters; }
    // The whole block, extension included (kSettingsBlockSize bytes).
    uint8_t* Block() const { return reinterpret_cast<uint8_t*>(parameters); }
    const OrvRect& FilterArea() const { return filterArea; }
    bool WholeImage() const { return wholeImage; }
    bool QuickPreview() const { return quickPreview; }
    void SetQuickPreview(bool quick) { quickPreview = quick; }

    void RenderPreviewImage() override;
    // Result previews rendered in this process, and whether the last one was quick: what
    // the dialog's tests read from their input thread.
    uint32_t PreviewRenders() const { return previewRenders; }
    bool LastPreviewQuick() const { return lastPreviewQuick; }
    // Why the map file gives no map (it is then read as none), or empty.
    const std::string& MapProblem() const { return mapProblem; }

private:
    void ScanPresets();
    // The maps the block's guides read: the luminance once a Start, the file when its name changes.
    void PrepareGuides();
    void Render(const PixelBuffer& input, const PixelBuffer& output, const PixelBuffer* mask,
                const OrvRect& area);

    EffectParameters* parameters = nullptr;
    ObjectSet objectSet;
    std::vector<Placement> placements;
    PlacementBins bins;  // of placements, by host tile
    CopyPainter painter;
    std::unique_ptr<WorkerPool> pool;  // only during a Start
    DrawSettings drawSettings;         // of the record the placements were made from
    Guides guides;
    bool luminanceRead = false;  // this Start
    std::string mapFileRead;     // the file guides.file came from
    std::string mapProblem;
    std::vector<PresetCategory> presets;
    LoadableFiles presetFiles;
    OrvRect filterArea;
    bool wholeImage = true;
    bool quickPreview = false;
    std::atomic<uint32_t> previewRenders{0};
    std::atomic<bool> lastPreviewQuick{false};
};

// The single plug-in object of this library.
PSVarnPlugin& ThePlugin();
