// The help file beside the plug-in: the topics the dialog opens must be in it, every
// control with a help id must have its pop-up text, and the pages must hang together.
#include "ChmFile.h"
#include "ContentFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

using namespace Content;

// The dialog's help ids: previews, zoom in, locator, zoom out, zoom ratio, page tabs,
// OK, Cancel, Help.
// The dialog's controls, then the Image, Settings, Options, Variation and Guides pages'.
const std::set<int> kDialogHelpIds = {
    7002, 7001, 7010, 7012, 7004, 7027, 11005, 1,    2,    7000, 1000, 10,   1003, 1004, 1025, 1005,
    1007, 1021, 1008, 1009, 1010, 1011, 1012,  1013, 1014, 1015, 1017, 1016, 1026, 1020, 1024, 1018,
    1019, 3002, 3003, 1041, 1043, 1045, 1046,  1047, 1049, 1050, 1051, 1052, 1053, 1054, 1061, 1062,
    1063, 1064, 1066, 1067, 1069, 1070, 1071,  1072, 1074, 1076, 1077, 1078, 1079, 1081, 1083};

std::set<std::string> NamesInHelpFile(const std::vector<uint8_t>& bytes) {
    std::vector<Chm::Entry> entries;
    EXPECT_TRUE(Chm::ReadDirectory(bytes, entries));
    std::set<std::string> names;
    for (const Chm::Entry& e : entries) names.insert(e.name);
    return names;
}

// Pop-up topics: ".topic <id>" lines, each followed by its text.
std::map<int, std::string> ReadPopups(const std::string& text, std::vector<int>& order) {
    std::map<int, std::string> topics;
    std::istringstream in(text);
    std::string line;
    int current = -1;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(".topic ", 0) == 0) {
            current = std::stoi(line.substr(7));
            order.push_back(current);
            topics[current];
        } else if (current >= 0 && !line.empty()) {
            topics[current] += line + "\n";
        }
    }
    return topics;
}

std::vector<std::string> HtmlPages() {
    std::vector<std::string> pages;
    for (const std::string& file : FilesBelow(HelpSource()))
        if (fs::path(file).extension() == ".htm") pages.push_back(file);
    return pages;
}

TEST(HelpFile, HoldsTheTopicsThePluginOpens) {
    const auto bytes = ReadBytes(InstalledHelpFile());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "ITSF");
    const auto names = NamesInHelpFile(bytes);
    EXPECT_TRUE(names.count("/Welcome.htm"));
    EXPECT_TRUE(names.count("/Text/VarnelDialog.txt"));
}

TEST(HelpFile, HoldsEverySourceFile) {
    const auto names = NamesInHelpFile(ReadBytes(InstalledHelpFile()));
    for (const std::string& file : FilesBelow(HelpSource())) {
        if (fs::path(file).extension() == ".hhp") continue;  // the project itself is not compiled in
        EXPECT_TRUE(names.count("/" + file)) << file << " is not listed in the project";
    }
}

TEST(HelpFile, CarriesNoCompileTime) {
    // A file that depends on the time of the build could not be reproduced.
    uint32_t header = 1, system = 1;
    ASSERT_TRUE(Chm::ReadTimeStamps(ReadBytes(InstalledHelpFile()), header, system));
    EXPECT_EQ(header, 0u);
    EXPECT_EQ(system, 0u);
}

TEST(HelpFileReader, RejectsWhatIsNotAHelpFile) {
    const auto real = ReadBytes(InstalledHelpFile());
    std::vector<Chm::Entry> entries;
    uint32_t header = 0, system = 0;

    std::vector<uint8_t> text(real.size(), 'x');
    EXPECT_FALSE(Chm::ReadDirectory(text, entries));
    EXPECT_FALSE(Chm::ClearTimeStamps(text));

    // Cut inside the directory: nothing may be read past the end, nothing written.
    std::vector<uint8_t> cut(real.begin(), real.begin() + 0x200);
    const auto before = cut;
    EXPECT_FALSE(Chm::ReadDirectory(cut, entries));
    EXPECT_FALSE(Chm::ReadTimeStamps(cut, header, system));
    EXPECT_FALSE(Chm::ClearTimeStamps(cut));
    EXPECT_EQ(cut, before);
}

TEST(HelpFileReader, ClearsBothTimeStamps) {
    auto bytes = ReadBytes(InstalledHelpFile());
    ASSERT_GT(bytes.size(), 0x14u);
    bytes[0x10] = 0x12;  // as chmcmd leaves it
    ASSERT_TRUE(Chm::ClearTimeStamps(bytes));
    uint32_t header = 1, system = 1;
    ASSERT_TRUE(Chm::ReadTimeStamps(bytes, header, system));
    EXPECT_EQ(header, 0u);
    EXPECT_EQ(system, 0u);
}

TEST(HelpPopups, ExplainEveryControlWithAHelpId) {
    std::vector<int> order;
    const auto topics = ReadPopups(ReadText(HelpSource() / "Text" / "VarnelDialog.txt"), order);
    std::set<int> ids;
    for (const auto& [id, text] : topics) {
        ids.insert(id);
        EXPECT_GE(text.size(), 20u) << "topic " << id << " says too little";
    }
    EXPECT_EQ(ids, kDialogHelpIds);
    EXPECT_EQ(order.size(), topics.size()) << "a topic id appears twice";
}

TEST(HelpPages, AreCodePageSafe) {
    // The viewer reads them as Windows-1252: plain ASCII with entities reads the same everywhere.
    for (const std::string& file : FilesBelow(HelpSource())) {
        const fs::path path(file);
        if (path.extension() == ".png") continue;
        for (unsigned char c : ReadText(HelpSource() / file)) ASSERT_TRUE(c < 0x80) << file;
    }
}

TEST(HelpOverview, ExplainsEveryPageAndOption) {
    const std::string page = ReadText(HelpSource() / "Welcome.htm");
    for (const char* caption : {"Original Preview",
                                "Preview",
                                "Zoom In",
                                "Zoom Out",
                                "Zoom Locator",
                                "Current Zoom Ratio",
                                "Image",
                                "Settings",
                                "Options",
                                "OK",
                                "Cancel",
                                "Help",
                                "&lt;Custom&gt;",
                                "Filename",
                                "Directory Name",
                                "Browse...",
                                "Multiple Images",
                                "Density",
                                "Opacity",
                                "Rotate Images",
                                "Rotation Angle",
                                "Randomise Rotation",
                                "Scale Images",
                                "Randomise Scaling",
                                "Order by depth",
                                "Fade with depth",
                                "Desaturate with depth",
                                "Only varn whole objects",
                                "No overlap",
                                "Apply as Texture",
                                "Random Seed",
                                "Randomise",
                                "Thumbnail"})
        EXPECT_NE(page.find(caption), std::string::npos) << caption;
}

TEST(HelpPages, LinksAndPicturesResolve) {
    const std::regex reference(R"re((href|src|value)="([^"#:]*)(#([^"]*))?")re");
    const std::regex anchor(R"re(name="([^"]+)")re");
    const std::regex size(R"re(<img src="([^"]+)" width="(\d+)" height="(\d+)")re");
    std::vector<std::string> sources = HtmlPages();
    sources.push_back("Varnel.hhc");
    sources.push_back("Varnel.hhk");
    for (const std::string& page : sources) {
        const std::string text = ReadText(HelpSource() / page);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
             it != std::sregex_iterator(); ++it) {
            std::string target = (*it)[2];
            const std::string mark = (*it)[4];
            if ((*it)[1] == "value" && target.find(".htm") == std::string::npos)
                continue;  // sitemap values that are not pages
            if (target.empty()) target = page;
            SCOPED_TRACE(page + " -> " + target + (mark.empty() ? "" : "#" + mark));
            ASSERT_TRUE(fs::is_regular_file(HelpSource() / target));
            if (!mark.empty()) {
                const std::string linked = ReadText(HelpSource() / target);
                bool found = false;
                for (auto a = std::sregex_iterator(linked.begin(), linked.end(), anchor);
                     a != std::sregex_iterator(); ++a)
                    found |= (*a)[1] == mark;
                EXPECT_TRUE(found) << "no anchor " << mark;
            }
        }
        // Pictures are shown at their own size, never stretched.
        for (auto it = std::sregex_iterator(text.begin(), text.end(), size); it != std::sregex_iterator();
             ++it) {
            const Picture p = LoadPng(HelpSource() / std::string((*it)[1]));
            ASSERT_TRUE(p.loaded) << (*it)[1];
            EXPECT_EQ(p.width, std::stoi((*it)[2])) << (*it)[1];
            EXPECT_EQ(p.height, std::stoi((*it)[3])) << (*it)[1];
        }
    }
}

TEST(HelpPages, PresetPageNamesEveryShippedPreset) {
    const std::string page = ReadText(HelpSource() / "Presets.htm");
    for (const Preset& preset : ListPresets(LibrarySource())) {
        EXPECT_NE(page.find(preset.category), std::string::npos) << preset.category;
        EXPECT_NE(page.find(preset.name), std::string::npos) << preset.category << "/" << preset.name;
    }
}

}  // namespace
