// Base class of a filter plug-in: turns the host's selector protocol into overridable
// operations and does all the talking to the host. Failures inside a call are raised
// as OrvTextFailure, OrvHostError or anything else and turned into the host's result
// code in Dispatch only.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/plugin/HostInterface.h"
#include "OrvLib/plugin/OrvPSPlugin.h"
#include "OrvLib/plugin/PixelBuffer.h"

class OrvPSFilter : public OrvPSPlugin {
public:
    OrvPSFilter() = default;
    ~OrvPSFilter() override = default;

    // The entry of every host call.
    void Dispatch(int16 selector, void* record, intptr_t* data, int16* result);

    // Parameter block operations.
    virtual int32 GetParametersSize() { return 0; }
    virtual void SetParameters(void* /*address*/) {}
    virtual void InitParameters() {}
    virtual void RestoreParameters() {}

    // The effect: placements before a render, and the pixels of one area.
    virtual void PlacePlacements(bool /*preview*/) {}
    virtual void RenderArea(const PixelBuffer& /*input*/, const PixelBuffer& /*output*/, const OrvRect& /*area*/) {}
    virtual void RenderAreaMasked(const PixelBuffer& input, const PixelBuffer& output, const PixelBuffer& /*mask*/,
                                  const OrvRect& area) {
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

    // The record of the current call; null during About, whose record is of another kind.
    FilterRecord* filterRecord = nullptr;
    int16* result = nullptr;
    intptr_t* data = nullptr;

    bool processAlpha = false;
    OrvRect filterRectangle;
    bool contextHelp = true;

private:
    // After an advance: the data the request needs is there, with rows long enough.
    void CheckHostData(const Rect& in, int32_t inBytes, const Rect& out, int32_t outBytes, const Rect& mask);
    void ReportFailure(OSErr code, const char* message);
    void UnlockParameters();
    const HandleProcs* RequireHandleProcs(int16 needed);

    int parameterLocks = 0;
    // A block made by us whose first lock failed: it still needs its defaults.
    Handle pendingDefaults = nullptr;
};
