// Access keys, read from the resource script the plug-in is built from: every label of every
// page has one, and no two controls shown together (a page and the dialog's own buttons) share one.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "product/dialog/AccessKeys.h"

namespace {

struct Label {
    std::string kind, text;
    int width, height;
};

// Each template's captioned controls, by template name.
std::map<std::string, std::vector<Label>> ReadTemplates() {
    std::ifstream in(VARNEL_DIALOG_SCRIPT);
    std::map<std::string, std::vector<Label>> templates;
    const std::regex head(R"(^(IDD_\w+) DIALOGEX)");
    const std::regex control(
        R"re(^\s+(LTEXT|PUSHBUTTON|DEFPUSHBUTTON|AUTOCHECKBOX|AUTORADIOBUTTON|GROUPBOX) "([^"]*)", \w+, \d+, \d+, (\d+), (\d+)(.*))re");
    std::string line, current;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, head)) {
            current = m[1];
        } else if (line == "END") {
            current.clear();
        } else if (!current.empty() && std::regex_search(line, m, control) &&
                   std::string(m[5]).find("NOT WS_VISIBLE") == std::string::npos) {
            templates[current].push_back({m[1], m[2], std::stoi(m[3]), std::stoi(m[4])});
        }
    }
    return templates;
}

std::vector<std::string> Texts(const std::vector<Label>& labels) {
    std::vector<std::string> texts;
    for (const Label& l : labels) texts.push_back(l.text);
    return texts;
}

TEST(AccessKeys, EveryLabelHasOneAndNoneClashOnAPage) {
    auto templates = ReadTemplates();
    // The dialog's captioned buttons; the zoom buttons show pictures.
    std::vector<Label> buttons;
    for (const Label& l : templates["IDD_VARNEL_DIALOG"])
        if (l.kind.find("PUSHBUTTON") != std::string::npos && l.width >= 50) buttons.push_back(l);
    ASSERT_EQ(Texts(buttons), (std::vector<std::string>{"OK", "Cancel", "&Help"}));
    for (const char* page : {"IDD_IMAGE_PAGE", "IDD_SETTINGS_PAGE", "IDD_OPTIONS_PAGE", "IDD_VARIATION_PAGE",
                             "IDD_GUIDES_PAGE"}) {
        SCOPED_TRACE(page);
        std::vector<Label> shown = templates[page];
        ASSERT_GE(shown.size(), 3u);
        for (const Label& l : shown) {
            // One-line labels, buttons and boxes; a group's caption and OK and Cancel (Enter
            // and Escape) need none.
            const bool needsKey =
                !l.text.empty() && l.kind != "GROUPBOX" && (l.kind != "LTEXT" || l.height <= 10);
            if (needsKey) {
                EXPECT_NE(AccessKeys::KeyOf(l.text), 0) << l.text;
            }
        }
        shown.insert(shown.end(), buttons.begin(), buttons.end());
        EXPECT_EQ(AccessKeys::Clashes(Texts(shown)), std::vector<std::string>{});
    }
    // The check finds a clash, with a plain ampersand and a key in either case.
    EXPECT_EQ(AccessKeys::Clashes({"&Density", "&Opacity", "&darken", "Salt && pepper"}),
              std::vector<std::string>{"D: &Density, &darken"});
}

}  // namespace
