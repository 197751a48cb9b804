#include "ContentFiles.h"

#include "PngFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace Content {

fs::path InstalledLibrary() { return fs::path(VARNEL_BIN_DIR) / "Varnel"; }
fs::path InstalledHelpFile() { return fs::path(VARNEL_BIN_DIR) / "Varnel.chm"; }
fs::path LibrarySource() { return fs::path(VARNEL_CONTENT_DIR) / "Varnel"; }
fs::path HelpSource() { return fs::path(VARNEL_CONTENT_DIR) / "help"; }

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> files;
    if (!fs::is_directory(root)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

Picture LoadPng(const fs::path& path) {
    Picture picture;
    Art::RgbaImage image;
    if (!Art::ReadPng(path.string(), image)) return picture;
    // Depth and colour type as stored: bytes 24 and 25, inside the header chunk.
    const std::vector<uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 26) return picture;
    picture.loaded = true;
    picture.width = image.width;
    picture.height = image.height;
    picture.bitDepth = bytes[24];
    picture.colourType = bytes[25];
    picture.rgba = std::move(image.pixels);
    return picture;
}

bool IsThumbnail(const fs::path& path) {
    std::string stem = path.stem().string();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::tolower(c); });
    return stem == "thumbnail";
}

std::vector<Preset> ListPresets(const fs::path& library) {
    std::vector<Preset> presets;
    std::vector<fs::path> categories;
    for (const auto& entry : fs::directory_iterator(library))
        if (entry.is_directory() && entry.path().filename().string()[0] != '.')
            categories.push_back(entry.path());
    std::sort(categories.begin(), categories.end());
    for (const fs::path& category : categories) {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(category)) entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        for (const fs::path& entry : entries) {
            const bool folder = fs::is_directory(entry);
            const std::string name = folder ? entry.filename().string() : entry.stem().string();
            presets.push_back({category.filename().string(), name, folder, entry});
        }
    }
    return presets;
}

}  // namespace Content
