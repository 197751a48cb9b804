// The plug-in loaded once with the settings of a command, ready to filter one picture
// after another through its entry point as an editor does: apply runs one, each batch
// worker many, so both make the same bytes of the same picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/MemoryHost.h"
#include "host/PluginModule.h"
#include "host/cli/Arguments.h"
#include "host/cli/ImageFile.h"

namespace VarnCli {

// Ends a run with an exit status and a message; never thrown through the plug-in.
struct Failure {
    int status;
    std::string message;
};

Failure UsageFailure(const std::string& message);
// A result the plug-in reports: its own message, or its code in words.
Failure PluginFailure(OSErr code, const VarnHost::MemoryHost& host);

// Grey becomes RGB: the filter runs on RGB images only, with or without transparency.
VarnHost::HostImage ToHostImage(Raster raster);
Raster ToRaster(const VarnHost::HostImage& image);

// Throws Failure (usage) when unreadable.
Raster ReadInput(const std::string& path);

class FilterSession {
public:
    // Reads --params, checks the objects, loads the plug-in and finds the preset; throws Failure.
    explicit FilterSession(const ApplyOptions& options);

    // Parameters, the edits (with `seed` over the seed given), then the run with the dialog
    // answered; the host holds the image (and mask) and any hooks. The plug-in's result.
    OSErr Filter(VarnHost::MemoryHost& host, std::optional<int32_t> seed = std::nullopt) const;

private:
    DialogAnswer dialog;
    std::vector<uint8_t> storedBlock;
    BlockEdits edits;
    VarnHost::PluginModule plugin;
};

}  // namespace VarnCli
