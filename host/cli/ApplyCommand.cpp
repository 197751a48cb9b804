// varnel apply: one filter run over an image file, driven as an image editor drives it.
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "host/MemoryHost.h"
#include "host/PluginModule.h"
#include "host/cli/Commands.h"
#include "host/cli/ImageFile.h"
#include "host/cli/PendingFile.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/ProgressBar.h"
#include "host/cli/System.h"

namespace varncli {

namespace fs = std::filesystem;

namespace {

int Fail(std::FILE* err, int status, const std::string& message) {
    std::fprintf(err, "varnel: %s\n", message.c_str());
    return status;
}

// Grey becomes RGB: the filter runs on RGB images only, with or without transparency.
varnhost::HostImage ToHostImage(const Raster& raster) {
    const int32_t planes = raster.channels == 2 || raster.channels == 4 ? 4 : 3;
    varnhost::HostImage image(raster.width, raster.height, planes);
    const size_t count = size_t(raster.width) * size_t(raster.height);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* from = raster.pixels.data() + i * size_t(raster.channels);
        uint8_t* to = image.pixels.data() + i * size_t(planes);
        if (raster.channels <= 2) {
            to[0] = to[1] = to[2] = from[0];
            if (planes == 4) to[3] = from[1];
        } else {
            std::memcpy(to, from, size_t(planes));
        }
    }
    return image;
}

Raster ToRaster(const varnhost::HostImage& image) {
    Raster raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.planes;
    raster.pixels = image.pixels;
    return raster;
}

bool ReadInput(const std::string& path, Raster& image, std::string& error) {
    if (!ReadImageFile(path, image, error)) return false;
    if (image.width > kMaxImageSide || image.height > kMaxImageSide) {
        error = "larger than " + std::to_string(kMaxImageSide) + " pixels a side";
        return false;
    }
    return true;
}

// A result the plug-in reports: its own message, or its code in words.
int PluginFailure(std::FILE* err, OSErr code, const varnhost::MemoryHost& host) {
    if (code == userCanceledErr || Interrupted()) return Fail(err, kExitCancelled, "cancelled");
    if (code == errReportString)
        return Fail(err, kExitPlugin, "the plug-in reported: " + host.ErrorMessage());
    return Fail(err, kExitPlugin, "the plug-in failed with " + DescribeResult(code));
}

}  // namespace

std::string PluginFileToLoad(const std::string& given) {
    if (!given.empty()) return given;
    return (fs::path(ProgramFile()).parent_path() / kPluginFileName).string();
}

std::string DescribeResult(OSErr code) {
    const char* words = nullptr;
    switch (code) {
        case paramErr:
            words = "a bad parameter";
            break;
        case memFullErr:
            words = "out of memory";
            break;
        case nilHandleErr:
            words = "an invalid handle";
            break;
        case filterBadParameters:
            words = "bad filter parameters";
            break;
        case filterBadMode:
            words = "an image mode it does not support";
            break;
        case errPlugInHostInsufficient:
            words = "a host service missing";
            break;
        default:
            break;
    }
    std::string text = "error code " + std::to_string(code);
    return words == nullptr ? text : text + " (" + words + ")";
}

int RunApply(const ApplyOptions& options, std::FILE* err) {
    CatchInterrupts();
    std::string error;

    Raster input;
    if (!ReadInput(options.input, input, error))
        return Fail(err, kExitUsage, "cannot read " + options.input + ": " + error);
    Raster mask;
    if (!options.mask.empty()) {
        if (!ReadImageFile(options.mask, mask, error)) {
            return Fail(err, kExitUsage, "cannot read the mask " + options.mask + ": " + error);
        }
        if (mask.channels != 1)
            return Fail(err, kExitUsage, "the mask " + options.mask + " is not a grey image");
        if (mask.width != input.width || mask.height != input.height) {
            return Fail(err, kExitUsage,
                        "the mask " + options.mask + " is " + std::to_string(mask.width) + " x " +
                            std::to_string(mask.height) + ", the input " + std::to_string(input.width) +
                            " x " + std::to_string(input.height));
        }
    }
    std::vector<uint8_t> storedBlock;
    if (!options.paramsFile.empty()) {
        if (!ReadFileBytes(options.paramsFile, storedBlock, error)) {
            return Fail(err, kExitUsage, "cannot read " + options.paramsFile + ": " + error);
        }
        if (storedBlock.size() != sizeof(EffectParameters)) {
            return Fail(err, kExitUsage,
                        options.paramsFile + " is not a parameter block: it has " +
                            std::to_string(storedBlock.size()) + " bytes, a block has " +
                            std::to_string(sizeof(EffectParameters)));
        }
    }
    BlockEdits edits = options.edits;
    if (edits.path) {
        std::error_code ignored;
        const bool folder = edits.multipleImages.value_or(0) != 0;
        const bool found =
            folder ? fs::is_directory(*edits.path, ignored) : fs::is_regular_file(*edits.path, ignored);
        if (!found) return Fail(err, kExitUsage, (folder ? "no folder " : "no file ") + *edits.path);
    }

    const std::string pluginFile = PluginFileToLoad(options.plugin);
    varnhost::PluginModule plugin;
    if (!plugin.Load(pluginFile, error))
        return Fail(err, kExitUsage, "cannot load the plug-in " + pluginFile + ": " + error);
    if (!options.preset.empty()) {
        // The library the plug-in itself will scan: beside the file the system loaded.
        const std::string library = LibraryFolderOf(plugin.FileName());
        int32_t category = 0;
        Preset preset;
        if (!FindPreset(ScanPresetLibrary(library), options.preset, category, preset)) {
            return Fail(err, kExitUsage,
                        "no preset " + options.preset + " in " + library + " (see varnel presets)");
        }
        if (preset.path.size() > kMaxBlockPath)
            return Fail(err, kExitUsage, "the path of " + options.preset + " is too long");
        edits.path = preset.path;
        edits.multipleImages = uint8_t(preset.isFolder ? 1 : 0);
        edits.presetCategory = category;
    }

    varnhost::MemoryHost host;
    host.SetImage(ToHostImage(input));
    if (!options.mask.empty()) host.SetMask(mask.pixels);
    if (!storedBlock.empty()) host.Record().parameters = host.MakeHandle(storedBlock);
    ProgressBar bar(err, !options.quiet && IsTerminal(err));
    host.SetProgressHook([&bar](int32_t done, int32_t total) { bar.Update(done, total); });
    host.SetAbortHook(&Interrupted);

    const PluginEntryProc entry = plugin.Entry();
    OSErr result = host.Call(entry, filterSelectorParameters);
    if (result != noErr) return PluginFailure(err, result, host);
    const Handle block = host.Parameters();
    std::vector<uint8_t> bytes = host.HandleBytes(block);
    if (bytes.size() < sizeof(EffectParameters)) {
        return Fail(
            err, kExitPlugin,
            "the plug-in made no parameter block of " + std::to_string(sizeof(EffectParameters)) + " bytes");
    }
    EffectParameters parameters;
    std::memcpy(&parameters, bytes.data(), sizeof parameters);
    ApplyEdits(edits, parameters);
    std::memcpy(bytes.data(), &parameters, sizeof parameters);
    host.SetHandleBytes(block, bytes);

    result = host.Run(entry, false);
    if (result != noErr) {
        bar.Abandon();
        return PluginFailure(err, result, host);
    }
    bar.Finish();

    PendingFile output(options.output);
    if (!WritePngFile(output.TemporaryPath(), ToRaster(host.Image()), error)) {
        return Fail(err, kExitUsage, "cannot write " + options.output + ": " + error);
    }
    std::optional<PendingFile> savedBlock;
    if (!options.saveParams.empty()) {
        savedBlock.emplace(options.saveParams);
        if (!WriteFileBytes(savedBlock->TemporaryPath(), host.HandleBytes(host.Parameters()), error)) {
            return Fail(err, kExitUsage, "cannot write " + options.saveParams + ": " + error);
        }
    }
    if (Interrupted()) return Fail(err, kExitCancelled, "cancelled");
    if (!output.Commit(error)) return Fail(err, kExitUsage, "cannot write " + options.output + ": " + error);
    if (savedBlock && !savedBlock->Commit(error)) {
        return Fail(err, kExitUsage, "cannot write " + options.saveParams + ": " + error);
    }
    return kExitOk;
}

}  // namespace varncli
