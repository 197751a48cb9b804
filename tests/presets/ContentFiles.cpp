#include "ContentFiles.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace content {
namespace {

// Owns nothing with a destructor: libpng may jump out of it.
bool Decode(FILE* f, Picture* picture, std::vector<png_bytep>* rows)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    picture->width = static_cast<int>(png_get_image_width(png, info));
    picture->height = static_cast<int>(png_get_image_height(png, info));
    picture->bitDepth = png_get_bit_depth(png, info);
    picture->colourType = png_get_color_type(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    picture->rgba.assign(static_cast<size_t>(picture->width) * picture->height * 4, 0);
    rows->resize(static_cast<size_t>(picture->height));
    for (int y = 0; y < picture->height; ++y)
        (*rows)[static_cast<size_t>(y)] = &picture->rgba[static_cast<size_t>(y) * picture->width * 4];
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

fs::path InstalledLibrary() { return fs::path(VARNEL_BIN_DIR) / "Varnel"; }
fs::path InstalledHelpFile() { return fs::path(VARNEL_BIN_DIR) / "Varnel.chm"; }
fs::path LibrarySource() { return fs::path(VARNEL_CONTENT_DIR) / "Varnel"; }
fs::path HelpSource() { return fs::path(VARNEL_CONTENT_DIR) / "help"; }

std::vector<uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FilesBelow(const fs::path& root)
{
    std::vector<std::string> files;
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

Picture LoadPng(const fs::path& path)
{
    Picture picture;
    FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        return picture;
    std::vector<png_bytep> rows;
    picture.loaded = Decode(f, &picture, &rows);
    std::fclose(f);
    return picture;
}

bool IsThumbnail(const fs::path& path)
{
    std::string stem = path.stem().string();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::tolower(c); });
    return stem == "thumbnail";
}

int ObjectWeight(const std::string& fileName)
{
    const std::string stem = fs::path(fileName).stem().string();
    const size_t underscore = stem.rfind('_');
    if (underscore == std::string::npos)
        return 10;
    const std::string text = stem.substr(underscore + 1);
    const char* start = text.c_str();
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    const bool digits = std::any_of(start, static_cast<const char*>(end), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (!digits || *end != '\0')
        return 10;
    return static_cast<int>(value);
}

std::vector<Preset> ListPresets(const fs::path& library)
{
    std::vector<Preset> presets;
    std::vector<fs::path> categories;
    for (const auto& entry : fs::directory_iterator(library))
        if (entry.is_directory() && entry.path().filename().string()[0] != '.')
            categories.push_back(entry.path());
    std::sort(categories.begin(), categories.end());
    for (const fs::path& category : categories) {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(category))
            entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        for (const fs::path& entry : entries) {
            const bool folder = fs::is_directory(entry);
            const std::string name = folder ? entry.filename().string() : entry.stem().string();
            presets.push_back({category.filename().string(), name, folder, entry});
        }
    }
    return presets;
}

}  // namespace content
