// Reading the shipped content in tests: files, PNG pictures and the preset layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Content {

namespace fs = std::filesystem;

// The library and the help file as the build lays them beside the plug-in, and their sources.
fs::path InstalledLibrary();
fs::path InstalledHelpFile();
fs::path LibrarySource();
fs::path HelpSource();

std::vector<uint8_t> ReadBytes(const fs::path& path);
std::string ReadText(const fs::path& path);
// Regular files below a folder, as '/'-separated paths relative to it, sorted.
std::vector<std::string> FilesBelow(const fs::path& root);

struct Picture {
    bool loaded = false;
    int width = 0, height = 0;
    int bitDepth = 0, colourType = 0;  // as stored in the file
    std::vector<uint8_t> rgba;         // decoded, 8-bit RGBA
};
Picture LoadPng(const fs::path& path);

// Names compared as the plug-in does: "Thumbnail" in any case, without extension.
bool IsThumbnail(const fs::path& path);

struct Preset {
    std::string category, name;
    bool isFolder = false;
    fs::path path;
};
// Categories are the folders of the library, presets the pictures and folders in them.
std::vector<Preset> ListPresets(const fs::path& library);

}  // namespace Content
