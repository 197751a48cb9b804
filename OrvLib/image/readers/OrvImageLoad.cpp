#include "OrvLib/image/readers/OrvImageLoad.h"

#include <cstring>
#include <exception>
#include <vector>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvBMPReader.h"
#include "OrvLib/image/readers/OrvJPEGReader.h"
#include "OrvLib/image/readers/OrvPNGReader.h"
#include "OrvLib/image/readers/OrvReaderFile.h"
#include "OrvLib/platform/PathNames.h"
#include "OrvLib/platform/Resources.h"

namespace {

enum class Format { None, Bmp, Jpeg, Png };

Format FromExtension(const std::string& extension) {
    if (OrvPath::SameIgnoringCase(extension, ".BMP")) return Format::Bmp;
    if (OrvPath::SameIgnoringCase(extension, ".JPG")) return Format::Jpeg;
    if (OrvPath::SameIgnoringCase(extension, ".PNG")) return Format::Png;
    return Format::None;
}

// The format whose signature the file starts with; None also when it cannot be opened.
Format FromSignature(const std::string& path) {
    OrvReaderFile file(path);
    uint8_t head[4] = {};
    if (!file.IsOpen() || !file.Read(head, sizeof head)) return Format::None;
    if (head[0] == 'B' && head[1] == 'M') return Format::Bmp;
    if (head[0] == 0xFF && head[1] == 0xD8) return Format::Jpeg;
    if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return Format::Png;
    return Format::None;
}

bool ReadAs(Format format, const std::string& path, OrvImage2& image) {
    switch (format) {
        case Format::Bmp:
            return ReadBMPFile(path, image);
        case Format::Jpeg:
            return ReadJPEGFile(path, image);
        case Format::Png:
            return ReadPNGFile(path, image);
        case Format::None:
            break;
    }
    return false;
}

}  // namespace

bool LoadImageFile(const std::string& path, OrvImage2& image, bool sniff) {
    image.SetTransparent(kOrvNoColour);
    image.SetHasAlpha(false);
    const Format named = FromExtension(OrvPath::ExtensionOf(path));
    if (ReadAs(named, path, image)) return true;
    if (!sniff) return false;
    // Every reader checks the signature itself, so this loads exactly what trying all
    // three would, without reading unknown files whole.
    const Format found = FromSignature(path);
    return found != named && ReadAs(found, path, image);
}

bool LoadImageMemory(const uint8_t* block, size_t count, const char* extensionHint, OrvImage2& image) {
    if (block == nullptr || extensionHint == nullptr) return false;
    bool ok = false;
    switch (FromExtension(extensionHint)) {
        case Format::Jpeg:
            ok = DecodeJPEGMemory(block, count, image);
            break;
        case Format::Png:
            ok = ReadPNGMemory(block, count, image);
            break;
        case Format::Bmp:  // bitmaps are only read from files
        case Format::None:
            return false;
    }
    if (ok && image.GetHeight() < 0) image.MakeTopDown();
    return ok;
}

bool LoadImageResource(const void* module, int id, const char* typeName, const char* extensionHint,
                       OrvImage2& image) {
    try {
        const std::vector<uint8_t> block = OrvPlatform::ModuleResource(module, id, typeName);
        return !block.empty() && LoadImageMemory(block.data(), block.size(), extensionHint, image);
    } catch (const std::exception&) {
        return false;
    }
}
