#include "product/PSVarnPlugin.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "OrvLib/plugin/OrvPSFailure.h"
#include "OrvLib/platform/Platform.h"
#include "product/EffectDialog.h"
#include "product/PresetLibrary.h"
#include "product/engine/EffectDerived.h"
#include "product/engine/ObjectReader.h"
#include "product/engine/PlacementDrawing.h"

namespace {

// The drawing threads live exactly as long as the Start that made them.
class PoolForStart {
public:
    explicit PoolForStart(std::unique_ptr<WorkerPool>& initialSlot) : slot(initialSlot) {
        initialSlot = std::make_unique<WorkerPool>(WorkerThreadCount(
            OrvPlatform::EnvironmentValue(kThreadsVariable), std::thread::hardware_concurrency()));
    }
    ~PoolForStart() { slot.reset(); }

private:
    std::unique_ptr<WorkerPool>& slot;
};

}  // namespace

PSVarnPlugin::PSVarnPlugin()
    : objectSet(&ReadObjectFile), presetFiles([](const std::string& file) {
          OrvImage2 probe;
          return ReadObjectFile(file, probe);
      }) {}
PSVarnPlugin::~PSVarnPlugin() = default;

void PSVarnPlugin::SetParameters(void* address) { parameters = static_cast<EffectParameters*>(address); }

void PSVarnPlugin::InitParameters() {
    if (parameters == nullptr) ThrowText("Parameters not set");
    ResetSettings(Block(), kSettingsBlockSize);
    // The default record must never trigger an object load.
    objectSet.SetCacheKey(*parameters);
}

void PSVarnPlugin::RestoreParameters() {
    // A handed-back block is taken as it is, but its path is always read as a string, and
    // a block from before the extension (or with a broken one) gets the extension's defaults.
    if (parameters == nullptr) return;
    parameters->path[sizeof(parameters->path) - 1] = 0;
    CompleteExtension(Block(), kSettingsBlockSize);
}

void PSVarnPlugin::ScanPresets() {
    // From an empty list each time, so a second Start does not list everything twice;
    // pictures unchanged since an earlier Start are not decoded again.
    presets = ScanPresetLibrary(PresetLibraryFolder(OrvPlatform::ModuleFileName()),
                                [this](const std::string& file) { return presetFiles.Loads(file); });
}

void PSVarnPlugin::OnStart() {
    contextHelp = false;
    // The block must stay locked while the run reads it; Dispatch unlocks it again.
    PrepareParameters();
    CheckImageAndArea();
    NoteHostCapabilities();
    ScanPresets();
    filterArea = GetSelectionBounds(wholeImage);
    luminanceRead = false;
    mapFileRead.clear();
    guides = Guides{};
    SetAlphaMode(true);
    const PoolForStart workers(pool);
    if (!RunEffectDialog(*this)) ThrowHostError(userCanceledErr);
    quickPreview = false;
    RunFilter();
}

void PSVarnPlugin::PlacePlacements(bool preview) {
    placements.clear();
    bins.Clear();
    if (parameters == nullptr) return;
    const EffectParameters p = SanitizedEffectParameters(*parameters);
    const EffectVariation variation = ReadVariation(Block(), kSettingsBlockSize);
    drawSettings = DrawSettings{p.applyAsTexture != 0, false, p.textureAmount, uint8_t(variation.blend)};
    if (!objectSet.Prepare(p, preview)) return;
    PrepareGuides();
    placements = BuildPlacements(
        p, objectSet.Choice(), filterArea, wholeImage,
        [this](const OrvRect& box) { return IsBoxSelected(box); }, variation, &guides);
    if (!preview) bins.Build(placements, GetFilterRect(), kTileSize);
}

void PSVarnPlugin::PrepareGuides() {
    guides.settings = ReadGuides(Block(), kSettingsBlockSize);
    if (guides.settings.NeedsLuminance() && !luminanceRead) {
        // The whole filter area at full size, whatever is being drawn, so that the preview
        // and the final pass read the same map.
        LuminanceReducer reducer(filterArea);
        const int32_t b = ProcessesAlpha() ? 4 : 3;
        for (int32_t top = filterArea.top; top < filterArea.bottom; top += kTileSize) {
            const OrvRect strip{filterArea.left, top, filterArea.right,
                                std::min(top + kTileSize, filterArea.bottom)};
            OrvImage2 rows;
            rows.Create(strip.Width(), strip.Height(), b * 8, nullptr);
            ReadImage(strip, 1, rows, OrvPoint{0, 0}, false);
            for (int32_t y = 0; y < strip.Height(); ++y)
                reducer.AddRow(top + y, rows.PixelAddress(0, y), strip.Width(), b);
        }
        guides.luminance = reducer.Finish();
        luminanceRead = true;
    }
    if (!guides.settings.NeedsFile()) {
        mapProblem.clear();
        return;
    }
    if (guides.settings.mapFile == mapFileRead && (!guides.file.Empty() || !mapProblem.empty())) return;
    mapFileRead = guides.settings.mapFile;
    guides.file = GreyMap{};
    mapProblem.clear();
    OrvImage2 picture;
    if (!mapFileRead.empty() && ReadObjectFile(mapFileRead, picture))
        guides.file = StretchedMap(picture, filterArea);
    if (guides.file.Empty()) {
        mapProblem = mapFileRead.empty() ? "No map file is chosen: the maps set to a file are off."
                                         : "The map file \"" + mapFileRead +
                                               "\" cannot be read: the maps set to a file are off.";
    }
}

void PSVarnPlugin::RenderPreviewImage() {
    OrvPSFilter::RenderPreviewImage();
    lastPreviewQuick = quickPreview;
    ++previewRenders;
}

void PSVarnPlugin::RenderArea(const PixelBuffer& input, const PixelBuffer& output, const OrvRect& area) {
    Render(input, output, nullptr, area);
}

void PSVarnPlugin::RenderAreaMasked(const PixelBuffer& input, const PixelBuffer& output,
                                    const PixelBuffer& mask, const OrvRect& area) {
    Render(input, output, &mask, area);
}

void PSVarnPlugin::Render(const PixelBuffer& input, const PixelBuffer& output, const PixelBuffer* mask,
                          const OrvRect& area) {
    const size_t rowLength = size_t(input.width) * size_t(input.bytesPerPixel);
    for (int32_t y = 0; y < input.height; ++y) std::memcpy(output.Row(y), input.Row(y), rowLength);
    if (output.width <= 0 || output.height <= 0 || placements.empty()) return;

    DrawSettings settings = drawSettings;
    settings.quick = quickPreview;
    const auto& objects = objectSet.Objects();
    if (!quickPreview) {
        PlacementSpan span;
        bins.Find(area, &span);
        painter.Paint(output, mask, area, placements, span, objects, settings, pool.get());
        return;
    }
    // A quick preview stops drawing when its time is up, so it goes copy by copy.
    const uint32_t start = OrvPlatform::Milliseconds();
    for (const Placement& placement : placements) {
        if (!Intersects(placement.bounds, area) || size_t(placement.objectIndex) >= objects.size()) continue;
        DrawPlacement(output, mask, area, placement, *objects[size_t(placement.objectIndex)], settings);
        if (OrvPlatform::Milliseconds() - start > kQuickBudget) break;
    }
}
