// Base class of a filter plug-in: turns the host's selector protocol into overridable
// operations and does all the talking to the host. Failures inside a call are raised
// as OrvTextFailure, OrvHostError or anything else and turned into the host's result
// code in Dispatch only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/plugin/HostInterface.h"
#include "OrvLib/plugin/OrvPSPlugin.h"
#include "OrvLib/image/PixelBuffer.h"
#include "OrvLib/plugin/ViewModel.h"

// The module's own name with the extension ".chm"; empty without a name.
std::string HelpFileFor(const std::string& moduleFileName);

class OrvPSFilter : public OrvPSPlugin {
public:
    OrvPSFilter();
    ~OrvPSFilter() override;

    // The entry of every host call.
    void Dispatch(int16 selector, void* record, intptr_t* data, int16* result);

    // Help, shown by the system's viewer from the help file beside the plug-in.
    virtual std::string GetHelpFilePath();
    void ShowHelp(const std::string& topic);
    void ShowControlHelp(intptr_t window, const std::string& topicFile, const uint32_t* idTable);
    // The right-click menu; false when it is not offered (no listed control under the point).
    bool ShowWhatsThisMenu(intptr_t dialog, const std::string& topicFile, const uint32_t* idTable,
                           OrvPoint point);
    bool ContextHelp() const { return contextHelp; }
    // The host's window for this call (0 when the host gives none), the owner of our dialogs.
    intptr_t HostWindow() const {
        const auto* platform =
            filterRecord != nullptr ? static_cast<const PlatformData*>(filterRecord->platformData) : nullptr;
        return platform != nullptr ? platform->hwnd : 0;
    }

    // Parameter block operations.
    virtual int32 GetParametersSize() { return 0; }
    // A block at least this long keeps its settings and is grown to the full size, or, where
    // the host cannot grow it, worked on in a full-size copy whose first bytes go back to it.
    virtual int32 GetParametersKeptSize() { return GetParametersSize(); }
    virtual void SetParameters(void* /*address*/) {}
    virtual void InitParameters() {}
    virtual void RestoreParameters() {}

    // The proxies of the previews, each replaced (never resized) by its build.
    virtual OrvImage2* GetPreviewImage() { return previewImage.get(); }
    virtual OrvImage2* GetSourceImage() { return sourceImage.get(); }
    virtual OrvImage2* GetBeforeImage() { return HasMask() ? beforeImage.get() : sourceImage.get(); }
    virtual OrvImage2* GetMaskImage() { return maskImage.get(); }
    virtual OrvImage2* GetLocatorImage() { return locatorImage.get(); }
    // Called after a pan with the newly exposed strip; the base rebuilds the whole proxy.
    virtual void UpdateSourceImage(const OrvRect& /*strip*/) { BuildSourceImage(); }
    virtual void BuildSourceImage();
    virtual void UpdateBeforeImage(const OrvRect& /*strip*/) { BuildBeforeImage(); }
    virtual void BuildBeforeImage();
    virtual void UpdateMaskImage(const OrvRect& /*strip*/) { BuildMaskImage(); }
    virtual void BuildMaskImage();
    virtual void UpdatePreviewImage(const OrvRect& /*strip*/) { RenderPreviewImage(); }
    virtual void RenderPreviewImage();

    // The effect: placements before a render, and the pixels of one area.
    virtual void PlacePlacements(bool /*preview*/) {}
    virtual void RenderArea(const PixelBuffer& /*input*/, const PixelBuffer& /*output*/,
                            const OrvRect& /*area*/) {}
    virtual void RenderAreaMasked(const PixelBuffer& input, const PixelBuffer& output,
                                  const PixelBuffer& /*mask*/, const OrvRect& area) {
        RenderArea(input, output, area);
    }
    // The final pass over the filter rectangle in 128 x 128 tiles.
    virtual void RunFilter();

    void OnParameters() override;
    void OnPrepare() override;
    void OnContinue() override;

    // Host services for the run.
    void CheckAdvanceState();
    void CheckAbort();
    void UpdateProgress(int32 done, int32 total);
    void SetAlphaMode(bool wanted);
    const OrvRect& GetFilterRect() const { return filterRectangle; }
    bool ProcessesAlpha() const { return processAlpha; }

    // Bounds of the selection and whether every pixel inside them is fully selected.
    OrvRect GetSelectionBounds(bool& plain);
    // True when every mask byte of the box is 255; a box without rows is selected.
    bool IsBoxSelected(const OrvRect& box);
    // The host's colour picker; false (colour unchanged) when cancelled or unavailable.
    bool ChooseColour(uint8_t rgb[3]);

    // The view: zoom level L (>= 1 reduced 1:L, <= 0 enlarged (2 - L):1) and the viewed
    // part of the filter rectangle. Every change rebuilds the proxies before returning.
    void SetPreviewSize(OrvSize size);
    OrvSize GetPreviewSize() const { return previewSize; }
    void ZoomIn();
    void ZoomOut();
    bool CanZoomIn() const { return smallestLevel < zoomLevel; }
    bool CanZoomOut() const { return zoomLevel < largestLevel; }
    int32_t GetZoomLevel() const { return zoomLevel; }
    const OrvRect& GetViewRect() const { return viewRect; }
    void SetViewRect(const OrvRect& rect);
    OrvSize GetViewSize() const;
    void ScrollView(int32_t dx, int32_t dy);
    void CreateLocatorImage(OrvSize size);

    // Reads an area given in sampled coordinates into image at origin (BGR with swap).
    void ReadImage(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin, bool swap);
    void ReadMask(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin);

    static constexpr int32_t kTileSize = 128;
    static constexpr int32_t kMaskScanTile = 256;

protected:
    // Locks the host's parameter block (making and resetting it when the host has none)
    // and hands its address to SetParameters. Every lock taken here is undone by
    // Dispatch before the call returns.
    void PrepareParameters();
    // Refuses, before anything is shown or read, an image that is not 8-bit RGB with at
    // least three planes and a filter rectangle that is empty or inverted.
    void CheckImageAndArea();
    bool HasMask() const { return filterRecord != nullptr && filterRecord->haveMask; }
    // Notes at Start what the host can do: whether it samples.
    void NoteHostCapabilities();
    // A proxy of the view at the current sampling rate, 32 or 24 bits.
    std::unique_ptr<OrvImage2> NewProxy(const OrvRect& area, int bitsPerPixel) const;
    int32_t SamplingRate() const { return zoomLevel > 1 ? zoomLevel : 1; }
    OrvRect SampledView() const;

    // The record of the current call; null during About, whose record is of another kind.
    FilterRecord* filterRecord = nullptr;
    int16* result = nullptr;
    intptr_t* data = nullptr;

    std::unique_ptr<OrvImage2> sourceImage;
    std::unique_ptr<OrvImage2> beforeImage;
    std::unique_ptr<OrvImage2> maskImage;
    std::unique_ptr<OrvImage2> previewImage;
    std::unique_ptr<OrvImage2> locatorImage;
    OrvSize previewSize;
    bool processAlpha = false;
    int32_t zoomLevel = 1;
    int32_t largestLevel = 1;
    int32_t smallestLevel = 1;
    OrvRect viewRect;
    OrvRect filterRectangle;
    bool contextHelp = true;
    bool hostSamples = true;

private:
    // One request for pixels. Empty rectangles are not asked for; planes (3 or 4) apply to
    // input and output, the sampling step to input and mask.
    struct HostRequest {
        OrvRect in, out, mask;
        int32_t planes = 0;
        int32_t rate = 1;
    };
    // The host's buffers of a request; a part not asked for has no pixels.
    struct HostData {
        PixelBuffer in, out, mask;
    };
    // Clears what is not asked, sets planes and rates, advances, and checks that the data
    // the request needs is there with rows long enough before handing out views of it.
    HostData RequestFromHost(const HostRequest& request);
    void RebuildProxies();
    void UpdateProxies(const OrvRect& strip);
    // ReadImage keeping every pick-th pixel of each row (strips of a host that cannot sample).
    void ReadPixels(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin, bool swap,
                    int32_t pick);
    void ReportFailure(OSErr code, const char* message);
    void UnlockParameters();
    const HandleProcs* RequireHandleProcs(int16 needed);

    int parameterLocks = 0;
    // The full-size copy of a block the host could not grow, and how many bytes it holds.
    std::vector<uint8_t> parameterCopy;
    int32 hostParameterSize = 0;
    Ptr hostParameterAddress = nullptr;  // the locked host block behind the copy
    // A block made by us whose first lock failed: it still needs its defaults.
    Handle pendingDefaults = nullptr;
};
