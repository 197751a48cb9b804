// Base class of a filter plug-in: turns the host's selector protocol into overridable
// operations and does all the talking to the host. Failures inside a call are raised
// as OrvTextFailure, OrvHostError or anything else and turned into the host's result
// code in Dispatch only.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/plugin/HostInterface.h"
#include "OrvLib/plugin/OrvPSPlugin.h"

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

    void OnParameters() override;
    void OnPrepare() override;
    void OnContinue() override;

    // Host services for the run.
    void CheckAdvanceState();
    void CheckAbort();
    void UpdateProgress(int32 done, int32 total);
    void SetAlphaMode(bool wanted);
    const OrvRect& GetFilterRect() const { return filterRectangle; }

protected:
    // Locks the host's parameter block (making and resetting it when the host has none)
    // and hands its address to SetParameters. Every lock taken here is undone by
    // Dispatch before the call returns.
    void PrepareParameters();

    // The record of the current call; null during About, whose record is of another kind.
    FilterRecord* filterRecord = nullptr;
    int16* result = nullptr;
    intptr_t* data = nullptr;

    bool processAlpha = false;
    OrvRect filterRectangle;
    bool contextHelp = true;

private:
    void ReportFailure(OSErr code, const char* message);
    void UnlockParameters();
    const HandleProcs* RequireHandleProcs(int16 needed);

    int parameterLocks = 0;
    // A block made by us whose first lock failed: it still needs its defaults.
    Handle pendingDefaults = nullptr;
};
