#include "product/dialog/ChooserPreview.h"

#include "OrvLib/image/readers/OrvImageLoad.h"
#include "product/dialog/ThumbnailList.h"

namespace {

bool PrepareFitted(const std::string& path, OrvSize box, bool keyToAlpha, OrvColour first, OrvColour second,
                   OrvImage2& image) {
    image.Release();
    OrvImage2 read;
    if (!LoadImageFile(path, read, true)) return false;
    read.MakeTopDown();
    const OrvSize fitted = FitInBox(OrvSize{read.GetWidth(), read.GetHeight()}, box);
    // A picture thinner than a pixel at this size shows nothing rather than a stretched line.
    if (fitted.width <= 0 || fitted.height <= 0) return false;
    if (keyToAlpha && read.HasTransparent()) {
        // After a conversion the key is the one the conversion painted (a palette index key
        // becomes magenta), so it is read afterwards.
        if (read.GetBitCount() != 32 && !read.ConvertDepth(32)) return false;
        read.SetHasAlpha(true);
        read.KeyToAlpha(read.GetTransparent());
    }
    bool made = false;
    if (read.HasAlpha()) {
        // In place: a resample carries alpha only into an image that has it.
        made = read.Resample(fitted.width, fitted.height, 32) &&
               image.FlattenOnChecker(24, 10, first, second, &read);
    } else {
        made = image.Resample(fitted.width, fitted.height, 24, &read);
    }
    if (!made) {
        image.Release();
        return false;
    }
    image.MakeTopDown();
    return true;
}

}  // namespace

bool PrepareChooserPreview(const std::string& path, OrvSize client, OrvColour face, OrvImage2& image) {
    return PrepareFitted(path, OrvSize{client.width - 4, client.height - 4}, true, face, face, image);
}

bool PrepareThumbnail(const std::string& path, OrvSize box, OrvImage2& image) {
    return PrepareFitted(path, box, false, OrvRGB(192, 192, 192), OrvRGB(255, 255, 255), image);
}
