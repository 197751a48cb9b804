#include <gtest/gtest.h>

#include <string>

#include "product/dialog/FileChooser.h"

namespace {

int32_t Pitch6(const std::string& text) { return int32_t(text.size()) * 6; }
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

const std::string kLeaf = "C:\\Program Files\\Tools\\Images\\Objects\\leaf.png";  // 46 bytes, 276 pixels

ShortenedPath Shorten(const std::string& path, int32_t width, const LeadByteTest& lead = nullptr) {
    return ShortenPath(path, width, Pitch6, lead);
}

TEST(FileChooser, FilterStringIsExact) {
    EXPECT_STREQ(kImageFileFilter,
                 "All Images (*.bmp;*.png:*.jpg)|*.bmp;*.png;*.jpg|Windows Bitmap (*.bmp)|*.bmp|Portable "
                 "Network Graphics (*.png)|*.png|JPEGs (*.jpg;*.jpeg)|*.jpg;*.jpeg|All File (*.*)|*.*||");
}

TEST(FileChooser, MiddleFoldersGoFirstRightThenLeft) {
    EXPECT_EQ(Shorten(kLeaf, 277).text, kLeaf);
    // Equal to the width is not narrower than it.
    EXPECT_NE(Shorten(kLeaf, 276).text, kLeaf);

    ShortenedPath s = Shorten(kLeaf, 240);
    EXPECT_EQ(s.text, "C:\\Program Files\\Tools\\...\\Objects\\leaf.png");
    EXPECT_EQ(s.headLength, 22);
    EXPECT_EQ(s.tailLength, 17);
    s = Shorten(kLeaf, 234);
    EXPECT_EQ(s.text, "C:\\Program Files\\...\\Objects\\leaf.png");
    EXPECT_EQ(s.headLength, 16);
    s = Shorten(kLeaf, 160);
    EXPECT_EQ(s.text, "C:\\Program Files\\...\\leaf.png");
    EXPECT_EQ(s.tailLength, 9);
    // Every middle folder cut and still too wide: drive, "\...", the last separator, the name.
    s = Shorten(kLeaf, 90);
    EXPECT_EQ(s.text, "C:\\...\\leaf.png");
    EXPECT_EQ(s.headLength, 2);
    EXPECT_EQ(s.tailLength, 9);
    // Not even drive, "\..." and the name: the name alone after "...\".
    s = Shorten(kLeaf, 60);
    EXPECT_EQ(s.text, "...\\leaf.png");
    EXPECT_EQ(s.headLength, 0);
    EXPECT_EQ(s.tailLength, 9);
}

TEST(FileChooser, PathsWithoutAFolderToCut) {
    // No separator at all: nothing to cut, so only the file name.
    ShortenedPath s = Shorten("C:averyveryverylongname.png", 60);
    EXPECT_EQ(s.text, "averyveryverylongname.png");
    EXPECT_EQ(s.headLength, 0);
    EXPECT_EQ(s.tailLength, 25);
    s = Shorten("averyveryverylongname.png", 60);
    EXPECT_EQ(s.text, "averyveryverylongname.png");
    EXPECT_EQ(CaretInFullPath(s, 25, 3).index, 3);
    // A single separator: the cut is empty and the text keeps all of it.
    s = Shorten("\\averyveryverylongname.png", 60);
    EXPECT_EQ(s.text, "averyveryverylongname.png");
    EXPECT_EQ(Shorten("", 0).text, "");
    EXPECT_EQ(Shorten("", 0).tailLength, 0);
}

TEST(FileChooser, VeryLongFoldersAndForwardSlashes) {
    const std::string folder(300, 'f');
    const std::string path = "D:/" + folder + "/a/" + folder + "/b/" + folder + "/pic.jpeg";
    ShortenedPath s = Shorten(path, 5500);
    EXPECT_EQ(s.text, "D:/" + folder + "/a/" + folder + "\\.../" + folder + "/pic.jpeg");
    s = Shorten(path, 1900);
    EXPECT_EQ(s.text, "D:/" + folder + "/a\\.../pic.jpeg");
    s = Shorten(path, 400);
    EXPECT_EQ(s.text, "D:\\.../pic.jpeg");
    EXPECT_EQ(s.text.substr(size_t(s.text.size() - size_t(s.tailLength))), "/pic.jpeg");
    EXPECT_EQ(path.substr(0, size_t(s.headLength)), "D:");
}

TEST(FileChooser, TwoByteCharactersWhoseTrailIsABackslashAreNotSeparators) {
    // "\x83\x5C" is one Shift-JIS character whose second byte is '\'.
    const std::string soft = "\x83\x5C\x83\x74\x83\x67";
    const std::string path = "C:\\" + soft + "\\Tools\\Images\\" + soft + ".png";
    const PathParts parts = SplitPath(path, ShiftJisLead);
    EXPECT_EQ(parts.folder, "\\" + soft + "\\Tools\\Images\\");
    EXPECT_EQ(parts.name, soft);
    EXPECT_EQ(parts.extension, ".png");
    // Read byte by byte the same path splits inside the character.
    EXPECT_NE(SplitPath(path, nullptr).name, soft);

    const ShortenedPath s = Shorten(path, 6 * int32_t(path.size()) - 30, ShiftJisLead);
    EXPECT_EQ(s.text, "C:\\" + soft + "\\Tools\\...\\" + soft + ".png");
    // Western names in a single-byte code page are plain bytes.
    const std::string western = "C:\\Bilder\\\xC9t\xE9\\Feuilles\\Ch\xEAne\\\xE9rable.png";
    EXPECT_EQ(SplitPath(western, nullptr).name, "\xE9rable");
    EXPECT_EQ(Shorten(western, 200).text, "C:\\Bilder\\\xC9t\xE9\\...\\Ch\xEAne\\\xE9rable.png");
}

TEST(FileChooser, ClicksInTheKeptTailLandAtTheSameDistanceFromTheEnd) {
    const ShortenedPath s = Shorten(kLeaf, 240);  // "C:\Program Files\Tools\...\Objects\leaf.png"
    const int32_t shownLength = int32_t(s.text.size());
    // Before the "l" of leaf.png, 8 from the end.
    FullPathCaret caret = CaretInFullPath(s, kLeaf.size(), shownLength - 8);
    EXPECT_TRUE(caret.fromEnd);
    EXPECT_EQ(caret.index, int32_t(kLeaf.size()) - 8);
    EXPECT_EQ(kLeaf.substr(size_t(caret.index)), "leaf.png");
    caret = CaretInFullPath(s, kLeaf.size(), shownLength);
    EXPECT_EQ(caret.index, int32_t(kLeaf.size()));
    // In the head the index stays.
    caret = CaretInFullPath(s, kLeaf.size(), 5);
    EXPECT_FALSE(caret.fromEnd);
    EXPECT_EQ(caret.index, 5);
    // Without a head every place counts from the end, never before the start.
    const ShortenedPath nameOnly = Shorten("C:\\leaf.png", 30);
    ASSERT_EQ(nameOnly.text, "...\\leaf.png");
    caret = CaretInFullPath(nameOnly, 11, 0);
    EXPECT_TRUE(caret.fromEnd);
    EXPECT_EQ(caret.index, 0);
    EXPECT_EQ(CaretInFullPath(nameOnly, 11, 4).index, 3);
    // A whole path maps to itself.
    EXPECT_FALSE(CaretInFullPath(Shorten(kLeaf, 900), kLeaf.size(), 7).fromEnd);
}

TEST(FileChooser, FolderChooserPreselectsOnlyWhatItsBufferHolds) {
    EXPECT_EQ(FolderBrowserStart("C:\\Pictures"), "C:\\Pictures");
    EXPECT_EQ(FolderBrowserStart(std::string(259, 'x')), std::string(259, 'x'));
    EXPECT_EQ(FolderBrowserStart(std::string(260, 'x')), "");
    EXPECT_EQ(FolderBrowserStart(std::string(300, 'x')), "");
}

}  // namespace
