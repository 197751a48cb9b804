// varnel apply: one filter run over an image file, driven as an image editor drives it.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "host/DialogResponder.h"
#include "host/MemoryHost.h"
#include "host/PluginModule.h"
#include "host/cli/Commands.h"
#include "host/cli/ImageFile.h"
#include "host/cli/PendingFile.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/ProgressBar.h"
#include "host/cli/System.h"
#include "product/engine/SettingsTable.h"
#include "product/engine/WorkerPool.h"

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

// Room for the fields of later versions, and no more: a file this long is no block.
constexpr size_t kLongestStoredBlock = 65536;

// Ends the run with an exit status and a message; never thrown through the plug-in.
struct Failure {
    int status;
    std::string message;
};

Failure UsageFailure(const std::string& message) { return Failure{kExitUsage, message}; }

// Grey becomes RGB: the filter runs on RGB images only, with or without transparency.
VarnHost::HostImage ToHostImage(const Raster& raster) {
    const int32_t planes = raster.channels == 2 || raster.channels == 4 ? 4 : 3;
    VarnHost::HostImage image(raster.width, raster.height, planes);
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

Raster ToRaster(const VarnHost::HostImage& image) {
    Raster raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.planes;
    raster.pixels = image.pixels;
    return raster;
}

Raster ReadInput(const std::string& path) {
    Raster image;
    std::string error;
    if (!ReadImageFile(path, image, error)) throw UsageFailure("cannot read " + path + ": " + error);
    return image;
}

std::vector<uint8_t> ReadMask(const std::string& path, const Raster& input) {
    Raster mask;
    std::string error;
    if (!ReadImageFile(path, mask, error)) throw UsageFailure("cannot read the mask " + path + ": " + error);
    if (mask.channels != 1) throw UsageFailure("the mask " + path + " is not a grey image");
    if (mask.width != input.width || mask.height != input.height) {
        throw UsageFailure("the mask " + path + " is " + std::to_string(mask.width) + " x " +
                           std::to_string(mask.height) + ", the input " + std::to_string(input.width) +
                           " x " + std::to_string(input.height));
    }
    return std::move(mask.pixels);
}

std::vector<uint8_t> ReadStoredBlock(const std::string& path) {
    std::vector<uint8_t> block;
    std::string error;
    if (!ReadFileBytes(path, block, error)) throw UsageFailure("cannot read " + path + ": " + error);
    // An older block of 328 bytes reads with the extension at its defaults; a later,
    // longer one keeps the fields this version does not know.
    if (block.size() < sizeof(EffectParameters) || block.size() > kLongestStoredBlock) {
        throw UsageFailure(path + " is not a parameter block: it has " + std::to_string(block.size()) +
                           " bytes, a block has " + std::to_string(sizeof(EffectParameters)) + " to " +
                           std::to_string(kLongestStoredBlock));
    }
    return block;
}

// The plug-in would quietly find no objects; a user is better told at once.
void CheckObjectsExist(const BlockEdits& edits) {
    if (!edits.path) return;
    std::error_code ignored;
    const bool folder = edits.Get("multipleImages").value_or(0) != 0;
    const bool found =
        folder ? fs::is_directory(*edits.path, ignored) : fs::is_regular_file(*edits.path, ignored);
    if (!found) throw UsageFailure((folder ? "no folder " : "no file ") + *edits.path);
}

// What choosing the preset on the Image page writes: its path, its kind and its category.
void ChoosePreset(const std::string& wanted, const VarnHost::PluginModule& plugin, BlockEdits& edits) {
    // The library the plug-in itself scans: beside the file the system loaded.
    const std::string library = LibraryFolderOf(plugin.FileName());
    int32_t category = 0;
    PresetEntry preset;
    if (!FindPreset(ListPresets(library), wanted, category, preset)) {
        throw UsageFailure("no preset " + wanted + " in " + library + " (see varnel presets)");
    }
    if (preset.path.size() > kMaxBlockPath)
        throw UsageFailure("the path of the preset " + wanted + " is too long");
    edits.path = preset.path;
    edits.Set("multipleImages", preset.isFolder ? 1 : 0);
    edits.Set("presetCategory", category);
}

// A result the plug-in reports: its own message, or its code in words.
Failure PluginFailure(OSErr code, const VarnHost::MemoryHost& host) {
    if (code == userCanceledErr || Interrupted()) return Failure{kExitCancelled, "cancelled"};
    if (code == errReportString) return Failure{kExitPlugin, "the plug-in reported: " + host.ErrorMessage()};
    return Failure{kExitPlugin, "the plug-in failed with " + DescribeResult(code)};
}

// Between Parameters and Prepare, as a host that plays back recorded settings does.
void WriteEdits(VarnHost::MemoryHost& host, const BlockEdits& edits) {
    const Handle block = host.Parameters();
    std::vector<uint8_t> bytes = host.HandleBytes(block);
    if (bytes.size() < sizeof(EffectParameters)) {
        throw Failure{kExitPlugin, "the plug-in made no parameter block of " +
                                       std::to_string(sizeof(EffectParameters)) + " bytes"};
    }
    ApplyEdits(edits, bytes);
    host.SetHandleBytes(block, bytes);
}

// Every file is complete before the first one takes its name.
void WriteOutputs(const VarnHost::MemoryHost& host, const ApplyOptions& options) {
    std::string error;
    PendingFile output(options.output);
    if (!WritePngFile(output.TemporaryPath(), ToRaster(host.Image()), error)) {
        throw UsageFailure("cannot write " + options.output + ": " + error);
    }
    std::optional<PendingFile> savedBlock;
    if (!options.saveParams.empty()) {
        savedBlock.emplace(options.saveParams);
        if (!WriteFileBytes(savedBlock->TemporaryPath(), host.HandleBytes(host.Parameters()), error)) {
            throw UsageFailure("cannot write " + options.saveParams + ": " + error);
        }
    }
    if (Interrupted()) throw Failure{kExitCancelled, "cancelled"};
    if (!output.Commit(error)) throw UsageFailure("cannot write " + options.output + ": " + error);
    if (savedBlock && !savedBlock->Commit(error)) {
        throw UsageFailure("cannot write " + options.saveParams + ": " + error);
    }
}

void Apply(const ApplyOptions& options, std::FILE* err) {
    if (options.dialog != DialogAnswer::Ok && !VarnHost::DialogResponder::DialogsShown()) {
        throw UsageFailure(std::string(options.dialog == DialogAnswer::Cancel ? "--cancel" : "--dialog") +
                           " needs the Windows plug-in: the plug-in of this system shows no dialog");
    }
    const Raster input = ReadInput(options.input);
    const std::vector<uint8_t> mask =
        options.mask.empty() ? std::vector<uint8_t>() : ReadMask(options.mask, input);
    const std::vector<uint8_t> storedBlock =
        options.paramsFile.empty() ? std::vector<uint8_t>() : ReadStoredBlock(options.paramsFile);
    BlockEdits edits = options.edits;
    CheckObjectsExist(edits);

    // Absolute, so that Windows does not search its library path for a bare name.
    std::error_code ignored;
    const std::string pluginFile = fs::absolute(PluginFileToLoad(options.plugin), ignored).string();
    VarnHost::PluginModule plugin;
    std::string error;
    if (!plugin.Load(pluginFile, error))
        throw UsageFailure("cannot load the plug-in " + pluginFile + ": " + error);
    if (!options.preset.empty()) ChoosePreset(options.preset, plugin, edits);

    VarnHost::MemoryHost host;
    host.SetImage(ToHostImage(input));
    if (!options.mask.empty()) host.SetMask(mask);
    if (!storedBlock.empty()) host.Record().parameters = host.MakeHandle(storedBlock);
    ProgressBar bar(err, !options.quiet && IsTerminal(err));
    host.SetProgressHook([&bar](int32_t done, int32_t total) { bar.Update(done, total); });
    host.SetAbortHook(&Interrupted);

    if (options.threads > 0) SetEnvironmentValue(kThreadsVariable, std::to_string(options.threads));
    const PluginEntryProc entry = plugin.Entry();
    OSErr result = host.Call(entry, filterSelectorParameters);
    if (result != noErr) throw PluginFailure(result, host);
    WriteEdits(host, edits);
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = ProcessorSeconds();
    {
        VarnHost::DialogResponder responder(options.dialog);
        result = host.Run(entry, false);
    }
    if (options.afterRun) options.afterRun(result, host);
    const auto took = std::chrono::steady_clock::now() - start;
    const double processor = ProcessorSeconds() - processorStart;
    if (result != noErr) {
        bar.Abandon();
        throw PluginFailure(result, host);
    }
    bar.Finish();
    if (options.timing) {
        const double ms = std::chrono::duration<double, std::milli>(took).count();
        std::fprintf(err, "varnel: the plug-in ran for %.1f ms (%.1f ms of processor time)\n", ms,
                     processor * 1000.0);
    }
    WriteOutputs(host, options);
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
    const std::string text = "error code " + std::to_string(code);
    return words == nullptr ? text : text + " (" + words + ")";
}

int RunApply(const ApplyOptions& options, std::FILE* err) {
    CatchInterrupts();
    try {
        Apply(options, err);
    } catch (const Failure& failure) {
        std::fprintf(err, "varnel: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "varnel: not enough memory for %s\n", options.input.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace VarnCli
