// The main dialog's tool-tip rule: fixed strings for the zoom controls, the text after the
// first newline of a control's own string for the rest, never more than the buffer holds.
#include <gtest/gtest.h>

#include <cstring>

#include "product/dialog/ToolTips.h"
#include "product/resources/ResourceIds.h"

namespace {

TEST(ToolTips, ZoomControlsNameTheirOwnStrings) {
    EXPECT_EQ(ToolTips::FixedStringFor(IDC_LOCATOR), 150);
    EXPECT_EQ(ToolTips::FixedStringFor(IDC_ZOOM_IN), 151);
    EXPECT_EQ(ToolTips::FixedStringFor(IDC_ZOOM_OUT), 152);
    EXPECT_EQ(ToolTips::FixedStringFor(IDC_ZOOM_RATIO), 153);
    EXPECT_EQ(ToolTips::FixedStringFor(IDC_HELP_BUTTON), 0);
}

TEST(ToolTips, OtherControlsShowTheTextAfterTheFirstNewline) {
    std::string tip = "unchanged";
    EXPECT_FALSE(ToolTips::TipFromString("Help", tip));
    EXPECT_FALSE(ToolTips::TipFromString("", tip));
    EXPECT_EQ(tip, "unchanged");
    ASSERT_TRUE(ToolTips::TipFromString("Preview\nThe result\nsecond line", tip));
    EXPECT_EQ(tip, "The result\nsecond line");
    ASSERT_TRUE(ToolTips::TipFromString("Prompt\n", tip));
    EXPECT_EQ(tip, "");
}

TEST(ToolTips, LongTextIsCutToTheBuffer) {
    std::string resource = "x\n" + std::string(100, 'y'), tip;
    ASSERT_TRUE(ToolTips::TipFromString(resource, tip));
    struct {
        char text[ToolTips::kTextBuffer];
        char guard[8];
    } buffer;
    std::memset(&buffer, '#', sizeof buffer);
    ToolTips::CopyTipText(tip, buffer.text);
    EXPECT_EQ(std::strlen(buffer.text), 79u);
    EXPECT_EQ(std::string(buffer.guard, 8), "########");
    ToolTips::CopyTipText("Zoom In", buffer.text);
    EXPECT_STREQ(buffer.text, "Zoom In");
}

}  // namespace
