// Without a viewer, help is a file name and nothing more.
#include <gtest/gtest.h>

#include "OrvLib/platform/HtmlHelp.h"
#include "OrvLib/plugin/OrvPSFilter.h"

namespace {

TEST(HelpPathTest, HelpFileBesideTheLibraryAndNoViewer) {
    EXPECT_EQ(HelpFileFor("/opt/plug.ins/Varnel.so"), "/opt/plug.ins/Varnel.chm");
    EXPECT_EQ(HelpFileFor("/opt/plug.ins/Varnel"), "/opt/plug.ins/Varnel.chm");
    EXPECT_FALSE(OrvPlatform::HtmlHelpAvailable());
    OrvPSFilter filter;
    filter.ShowHelp("::/Welcome.htm");
    const uint32_t table[] = {1, 1, 0, 0};
    EXPECT_FALSE(filter.ShowWhatsThisMenu(0, "::/Text/VarnelDialog.txt", table, OrvPoint{1, 1}));
}

}  // namespace
