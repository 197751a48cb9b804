// The pictures the generator makes, by their path below the output folder.
#pragma once

#include "Canvas.h"
#include "PngFile.h"

#include <string>
#include <utility>
#include <vector>

namespace Art {

// How a picture is stored: the library and help pictures are RGBA PNGs; the dialog's
// skin and button bitmaps have the forms the resource script expects.
enum class FileFormat { PngRgba, PngRgb, Bmp24, Bmp4 };

struct Picture {
    std::string path;  // relative, '/' separated
    RgbaImage image;
    FileFormat format = FileFormat::PngRgba;
};

struct FolderImage {
    std::string file;  // file name without extension, weight suffix included ("maple_3")
    Canvas canvas;
};

class Library {
public:
    // A single-image preset: <category>/<name>.png
    void AddSingle(const std::string& category, const std::string& name, const Canvas& canvas);
    // A multiple-image preset: <category>/<name>/<file>.png for each image, plus a
    // "Thumbnail.png" composed from the first images in the order given.
    void AddFolder(const std::string& category, const std::string& name,
                   const std::vector<FolderImage>& images);
    // Any other picture (help illustrations, dialog artwork).
    void Add(const std::string& path, const Canvas& canvas, FileFormat format = FileFormat::PngRgba);

    const std::vector<Picture>& Pictures() const { return pictures; }
    // A picture made earlier, by its path; throws when there is none.
    Canvas Find(const std::string& path) const;

private:
    std::vector<Picture> pictures;
};

bool WritePicture(const std::string& path, const Picture& picture);
RgbaImage ToImage(const Canvas& canvas);
Canvas FromImage(const RgbaImage& image);
// The thumbnail of a folder preset: up to four of its images arranged on 64 x 64.
Canvas ComposeThumbnail(const std::vector<FolderImage>& images);

// Each category adds its presets.
void AddLeaves(Library& library);
void AddFlowers(Library& library);
void AddStars(Library& library);
void AddBubbles(Library& library);
void AddSnow(Library& library);
void AddConfetti(Library& library);
void AddStones(Library& library);
void AddHearts(Library& library);
void AddBokeh(Library& library);

void AddPresetLibrary(Library& library);
// Illustrations of the effect for the help pages.
void AddHelpImages(Library& library);
// The effect dialog's skin (background and overlay) and its zoom button bitmaps.
void AddDialogArtwork(Library& library);
// The pages' strips and glasses.
void AddPageArtwork(Library& library);

}  // namespace Art
