#include "Library.h"

#include "BmpFile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Art {

RgbaImage ToImage(const Canvas& canvas) { return {canvas.Width(), canvas.Height(), canvas.ToRgba8()}; }

Canvas FromImage(const RgbaImage& image) {
    Canvas canvas(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
            const double a = p[3] / 255.0;
            canvas.At(x, y) = {p[0] / 255.0 * a, p[1] / 255.0 * a, p[2] / 255.0 * a, a};
        }
    }
    return canvas;
}

void Library::AddSingle(const std::string& category, const std::string& name, const Canvas& canvas) {
    Add("Varnel/" + category + "/" + name + ".png", canvas);
}

void Library::AddFolder(const std::string& category, const std::string& name,
                        const std::vector<FolderImage>& images) {
    for (const FolderImage& image : images)
        Add("Varnel/" + category + "/" + name + "/" + image.file + ".png", image.canvas);
    Add("Varnel/" + category + "/" + name + "/Thumbnail.png", ComposeThumbnail(images));
}

void Library::Add(const std::string& path, const Canvas& canvas, FileFormat format) {
    pictures.push_back({path, ToImage(canvas), format});
}

bool WritePicture(const std::string& path, const Picture& picture) {
    switch (picture.format) {
        case FileFormat::PngRgb:
            return WritePng(path, picture.image, false);
        case FileFormat::Bmp24:
            return WriteBmp(path, picture.image, BmpDepth::Bits24);
        case FileFormat::Bmp4:
            return WriteBmp(path, picture.image, BmpDepth::Bits4);
        case FileFormat::PngRgba:
            break;
    }
    return WritePng(path, picture.image);
}

Canvas Library::Find(const std::string& path) const {
    for (const Picture& picture : pictures)
        if (picture.path == path) return FromImage(picture.image);
    throw std::runtime_error("no picture " + path);
}

Canvas ComposeThumbnail(const std::vector<FolderImage>& images) {
    // Slots for one to four pictures: centre (in 64 x 64), largest side, turn.
    struct Slot {
        double x, y, size, angle;
    };
    static const std::vector<std::vector<Slot>> layouts = {
        {{32, 32, 60, 0.0}},
        {{24, 27, 46, -0.25}, {40, 37, 44, 0.3}},
        {{21, 23, 38, -0.35}, {43, 25, 36, 0.4}, {31, 41, 44, 0.05}},
        {{20, 21, 36, -0.35}, {45, 20, 32, 0.45}, {20, 45, 32, 0.25}, {41, 41, 42, -0.1}},
    };
    const size_t count = std::min<size_t>(images.size(), 4);
    Canvas thumbnail(64, 64);
    const std::vector<Slot>& layout = layouts[count - 1];
    // The first picture is drawn last, on top.
    for (size_t i = count; i-- > 0;) {
        const Canvas& source = images[i].canvas;
        const Slot& slot = layout[i];
        const double scale = slot.size / std::max(source.Width(), source.Height());
        const Affine map = Affine::Place({slot.x, slot.y}, scale, slot.angle)
                               .After(Affine::Translate({-source.Width() * 0.5, -source.Height() * 0.5}));
        thumbnail.Draw(source, map);
    }
    // A little more solid than the pictures themselves, so that faint objects such as
    // bubbles still read in the list after shrinking.
    thumbnail.Adjust([](int, int, const Colour& c) { return WithAlpha(c, std::min(1.0, c.a * 1.25)); });
    return thumbnail;
}

void AddPresetLibrary(Library& library) {
    AddLeaves(library);
    AddFlowers(library);
    AddStars(library);
    AddBubbles(library);
    AddSnow(library);
    AddConfetti(library);
    AddStones(library);
    AddHearts(library);
    AddBokeh(library);
}

}  // namespace Art
