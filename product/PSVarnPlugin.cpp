#include "product/PSVarnPlugin.h"

#include <cstring>

#include "OrvLib/plugin/OrvPSFailure.h"
#include "product/EffectDialog.h"

void PSVarnPlugin::SetParameters(void* address) { parameters = static_cast<EffectParameters*>(address); }

void PSVarnPlugin::InitParameters() {
    if (parameters == nullptr) ThrowText("Parameters not set");
    ResetEffectParameters(*parameters);
    // The default record must never trigger an object load.
    std::memcpy(objectCacheKey.data(), parameters, objectCacheKey.size());
}

void PSVarnPlugin::RestoreParameters() {
    // A handed-back block is taken as it is, but its path is always read as a string.
    if (parameters != nullptr) parameters->path[sizeof(parameters->path) - 1] = 0;
}

void PSVarnPlugin::ScanPresets() {}

void PSVarnPlugin::PrepareHeadlessPreview() {
    SetPreviewSize(OrvSize{kHeadlessPreviewWidth, kHeadlessPreviewHeight});
    CreateLocatorImage(GetPreviewSize());
}

void PSVarnPlugin::OnStart() {
    contextHelp = false;
    // The block must stay locked while the run reads it; Dispatch unlocks it again.
    PrepareParameters();
    CheckImageAndArea();
    NoteHostCapabilities();
    ScanPresets();
    filterArea = GetSelectionBounds(wholeImage);
    SetAlphaMode(true);
    if (!RunEffectDialog(*this)) ThrowHostError(userCanceledErr);
    quickPreview = false;
    RunFilter();
}
