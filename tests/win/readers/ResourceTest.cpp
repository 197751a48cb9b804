// Pictures bound into the module as resources of type "IMAGE", read through the real
// resource functions, must equal the same files read from disk.
#include <gtest/gtest.h>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "ReaderTestSupport.h"

namespace {

std::string FromFile(const char* name) {
    OrvImage2 image;
    return ReaderTest::Describe(LoadImageFile(ReaderTest::CorpusFile(name), image, false), image);
}

std::string FromResource(int id, const char* type, const char* hint) {
    OrvImage2 image;
    return ReaderTest::Describe(LoadImageResource(nullptr, id, type, hint, image), image);
}

TEST(ReaderResources, ImagesBoundIntoTheModuleLoadLikeTheirFiles) {
    EXPECT_EQ(FromResource(3016, "IMAGE", ".png"), FromFile("png_rgba_8.png"));
    EXPECT_EQ(FromResource(3017, "IMAGE", ".PNG"), FromFile("png_palette_trns_single.png"));
    EXPECT_EQ(FromResource(3018, "IMAGE", ".jpg"), FromFile("jpeg_colour.jpg"));
    EXPECT_EQ(FromResource(3016, "IMAGE", ".png").rfind("true\t19\t11\t32\t1", 0), 0u);
}

TEST(ReaderResources, MissingResourcesAndUnreadableHintsFail) {
    const std::string none = ReaderTest::Describe(false, OrvImage2());
    EXPECT_EQ(FromResource(3099, "IMAGE", ".png"), none);
    EXPECT_EQ(FromResource(3016, "PNG", ".png"), none);
    EXPECT_EQ(FromResource(3016, "IMAGE", ".jpg"), none);
    // Bitmap data is only read from files.
    EXPECT_EQ(FromResource(3019, "IMAGE", ".bmp"), none);
}

}  // namespace
