// Draws the preset library and the help illustrations.
//
//   varnel_artgen OUT                write OUT/Varnel/..., OUT/help/images/... and OUT/dialog/...
//   varnel_artgen OUT --compare REF  also check that REF holds exactly the same files, byte for byte
//   varnel_artgen OUT --sheet FILE   also write a contact sheet of the library pictures
//                                    (--filter TEXT: only paths holding TEXT; --zoom N: enlarged;
//                                    --backdrop dark: on a night blue instead of a checkerboard)
#include "Library.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace fs = std::filesystem;
using namespace Art;

namespace {

// The folders the generator owns entirely.
const char* const kOwnedFolders[] = {"Varnel", "help/images", "dialog"};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesBelow(const fs::path& root) {
    std::set<std::string> files;
    for (const char* folder : kOwnedFolders) {
        const fs::path dir = root / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root).generic_string());
    }
    return files;
}

// Says whether a mismatch is in the pixels or only in the encoding (another zlib).
std::string Explain(const fs::path& made, const fs::path& reference) {
    if (made.extension() != ".png") return "bytes differ";
    RgbaImage a, b;
    if (!ReadPng(made.string(), a) || !ReadPng(reference.string(), b)) return "not a readable PNG";
    if (a.width != b.width || a.height != b.height) return "size differs";
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) differing += a.pixels[i] != b.pixels[i];
    if (differing == 0) return "same pixels, different encoding";
    return std::to_string(differing) + " channel values differ";
}

int Compare(const Library& library, const fs::path& out, const fs::path& reference) {
    std::set<std::string> made;
    for (const Picture& picture : library.Pictures()) made.insert(picture.path);
    int problems = 0;
    for (const std::string& path : made) {
        const fs::path ref = reference / path;
        if (!fs::exists(ref)) {
            std::printf("missing from %s: %s\n", reference.string().c_str(), path.c_str());
            ++problems;
        } else if (ReadBytes(out / path) != ReadBytes(ref)) {
            std::printf("differs: %s (%s)\n", path.c_str(), Explain(out / path, ref).c_str());
            ++problems;
        }
    }
    for (const std::string& path : FilesBelow(reference)) {
        if (!made.count(path)) {
            std::printf("not made by the generator: %s\n", path.c_str());
            ++problems;
        }
    }
    std::printf("%zu pictures compared, %d problem(s)\n", made.size(), problems);
    return problems == 0 ? 0 : 1;
}

// All library pictures on one sheet, on a checkerboard, for looking at them at once.
Canvas ContactSheet(const Library& library, const std::string& filter, int zoom, bool dark) {
    std::vector<const Picture*> shown;
    int largest = 0;
    for (const Picture& picture : library.Pictures()) {
        if (picture.path.find(filter) != std::string::npos) {
            shown.push_back(&picture);
            largest = std::max({largest, picture.image.width, picture.image.height});
        }
    }
    const int cell = (largest + 8) * zoom;
    const int columns = std::max(1, std::min(static_cast<int>(shown.size()), 1600 / cell));
    const int rows = static_cast<int>((shown.size() + columns - 1) / columns);
    Canvas sheet(columns * cell, rows * cell);
    sheet.FillAll([dark](const Sample& s) {
        if (dark) return Hex(0x182440);
        const bool odd = (static_cast<int>(s.p.x) / 8 + static_cast<int>(s.p.y) / 8) % 2 == 0;
        return odd ? Hex(0x9AA4AE) : Hex(0xC9D0D6);
    });
    for (size_t i = 0; i < shown.size(); ++i) {
        const Canvas c = FromImage(shown[i]->image);
        const double x = static_cast<double>(i % columns) * cell + (cell - c.Width() * zoom) / 2;
        const double y = static_cast<double>(i / columns) * cell + (cell - c.Height() * zoom) / 2;
        sheet.Draw(c, Affine::Translate({x, y}).After(Affine::Scale(zoom, zoom)));
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [--compare REF] [--sheet FILE]\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    fs::path reference, sheet;
    std::string filter = "Varnel/";
    int zoom = 1;
    bool dark = false;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--compare") == 0)
            reference = argv[i + 1];
        else if (std::strcmp(argv[i], "--sheet") == 0)
            sheet = argv[i + 1];
        else if (std::strcmp(argv[i], "--filter") == 0)
            filter = argv[i + 1];
        else if (std::strcmp(argv[i], "--zoom") == 0)
            zoom = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--backdrop") == 0)
            dark = std::strcmp(argv[i + 1], "dark") == 0;
    }

    Library library;
    AddPresetLibrary(library);
    AddHelpImages(library);
    AddDialogArtwork(library);
    AddPageArtwork(library);

    // Stale pictures from an earlier run must not survive in the owned folders.
    for (const char* folder : kOwnedFolders) fs::remove_all(out / folder);
    for (const Picture& picture : library.Pictures()) {
        const fs::path path = out / picture.path;
        fs::create_directories(path.parent_path());
        if (!WritePicture(path.string(), picture)) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    if (!sheet.empty() && !WritePng(sheet.string(), ToImage(ContactSheet(library, filter, zoom, dark)))) {
        std::fprintf(stderr, "cannot write %s\n", sheet.string().c_str());
        return 1;
    }
    return reference.empty() ? 0 : Compare(library, out, reference);
}
