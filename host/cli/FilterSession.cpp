#include "host/cli/FilterSession.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "host/DialogResponder.h"
#include "host/cli/Commands.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/System.h"
#include "product/engine/SettingsTable.h"

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

// Room for the fields of later versions, and no more: a file this long is no block.
constexpr size_t kLongestStoredBlock = 65536;

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

// The plug-in reads a map file it cannot read as no map; the run goes on, but says so.
void WarnOfMapFile(const BlockEdits& edits, std::vector<uint8_t> block) {
    if (block.empty()) {
        block.assign(kSettingsBlockSize, 0);
        ResetSettings(block.data(), block.size());
    }
    ApplyEdits(edits, block);
    const auto setting = [&block](const char* name) {
        return ReadSetting(*FindSetting(name), block.data(), block.size());
    };
    constexpr double kFromFile = 3;
    if (setting("densityMap") != kFromFile && setting("sizeMap") != kFromFile) return;
    const SettingRow& row = *FindSetting("mapFile");
    std::string file;
    if (HoldsField(row, block.data(), block.size())) {
        const char* text = reinterpret_cast<const char*>(block.data() + row.offset);
        file.assign(text, strnlen(text, SettingSize(row.type) - 1));
    }
    Raster picture;
    std::string error = "no --map-file is given";
    if (!file.empty() && ReadImageFile(file, picture, error)) return;
    const std::string what =
        file.empty() ? "no map file: " + error : "cannot read the map file " + file + ": " + error;
    std::fputs(("varnel: " + what + "; the maps set to file are off\n").c_str(), stderr);
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

}  // namespace

Failure UsageFailure(const std::string& message) { return Failure{kExitUsage, message}; }

Failure PluginFailure(OSErr code, const VarnHost::MemoryHost& host) {
    if (code == userCanceledErr || Interrupted()) return Failure{kExitCancelled, "cancelled"};
    if (code == errReportString) return Failure{kExitPlugin, "the plug-in reported: " + host.ErrorMessage()};
    return Failure{kExitPlugin, "the plug-in failed with " + DescribeResult(code)};
}

VarnHost::HostImage ToHostImage(Raster raster) {
    const int32_t planes = raster.channels == 2 || raster.channels == 4 ? 4 : 3;
    VarnHost::HostImage image;
    image.width = raster.width;
    image.height = raster.height;
    image.planes = planes;
    // RGB and RGBA are already in the host's layout.
    if (raster.channels == planes) {
        image.pixels = std::move(raster.pixels);
        return image;
    }
    image.pixels.resize(size_t(raster.width) * size_t(raster.height) * size_t(planes));
    const size_t count = size_t(raster.width) * size_t(raster.height);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* from = raster.pixels.data() + i * size_t(raster.channels);
        uint8_t* to = image.pixels.data() + i * size_t(planes);
        to[0] = to[1] = to[2] = from[0];
        if (planes == 4) to[3] = from[1];
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

FilterSession::FilterSession(const ApplyOptions& options) : dialog(options.dialog), edits(options.edits) {
    if (!options.paramsFile.empty()) storedBlock = ReadStoredBlock(options.paramsFile);
    CheckObjectsExist(edits);
    WarnOfMapFile(edits, storedBlock);
    // Absolute, so that Windows does not search its library path for a bare name.
    std::error_code ignored;
    const std::string pluginFile = fs::absolute(PluginFileToLoad(options.plugin), ignored).string();
    std::string error;
    if (!plugin.Load(pluginFile, error))
        throw UsageFailure("cannot load the plug-in " + pluginFile + ": " + error);
    if (!options.preset.empty()) ChoosePreset(options.preset, plugin, edits);
}

OSErr FilterSession::Filter(VarnHost::MemoryHost& host, std::optional<int32_t> seed) const {
    if (!storedBlock.empty()) host.Record().parameters = host.MakeHandle(storedBlock);
    const PluginEntryProc entry = plugin.Entry();
    const OSErr result = host.Call(entry, filterSelectorParameters);
    if (result != noErr) return result;
    BlockEdits run = edits;
    if (seed) run.Set("randomSeed", *seed);
    WriteEdits(host, run);
    VarnHost::DialogResponder responder(dialog);
    return host.Run(entry, false);
}

}  // namespace VarnCli
