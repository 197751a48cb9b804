#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvLib/platform/PathNames.h"
#include "OrvLib/platform/Platform.h"

namespace {

TEST(PathNames, ModuleNameThatFillsTheBufferIsNoName) {
    // On the heap and exactly 260 bytes, so that reading one past the name is caught.
    const std::vector<char> cut(260, 'A');
    EXPECT_EQ(OrvPath::WholeModuleName(cut.data(), 260, 260), "");
    EXPECT_EQ(OrvPath::WholeModuleName(cut.data(), 259, 260), std::string(259, 'A'));
    EXPECT_EQ(OrvPath::WholeModuleName(cut.data(), 0, 260), "");
}

TEST(PathNames, ExtensionsComeFromTheFileNameOnly) {
    const std::string s(1, OrvPlatform::PathSeparator());
    EXPECT_EQ(OrvPath::ExtensionOf("a" + s + "b.tar.PNG"), ".PNG");
    EXPECT_EQ(OrvPath::ExtensionOf("dir.d" + s + "file"), "");
    EXPECT_EQ(OrvPath::WithoutExtension("dir.d" + s + "file"), "dir.d" + s + "file");
    EXPECT_EQ(OrvPath::WithoutExtension("dir" + s + "Varnel.8bf"), "dir" + s + "Varnel");
    EXPECT_EQ(OrvPath::FileNameStart("dir" + s + "x"), 4u);
}

TEST(PathNames, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_TRUE(OrvPath::SameIgnoringCase("thumbNAIL.Png", "THUMBNAIL.png"));
    EXPECT_FALSE(OrvPath::SameIgnoringCase("a", "ab"));
    EXPECT_FALSE(OrvPath::SameIgnoringCase("[", "{"));  // 0x5B and 0x7B differ by 32 but are no letters
    EXPECT_EQ(OrvPath::UpperAscii("leaf_3.png"), "LEAF_3.PNG");
}

}  // namespace
