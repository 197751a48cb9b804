// The settings table against its written form, and the reading of bad stored values.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "product/engine/SettingsTable.h"
#include "product/engine/Variation.h"

namespace {

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '|' && line[i - 1] != '\\') {
            const size_t a = cell.find_first_not_of(' '), b = cell.find_last_not_of(' ');
            cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
            cell.clear();
        } else {
            cell += line[i];
        }
    }
    return cells;
}

std::string TypeName(const SettingRow& row) {
    switch (row.type) {
        case SettingType::Text:
            return "char[260]";
        case SettingType::ShortText:
            return "char[256]";
        case SettingType::Int32:
            return "int32";
        case SettingType::UInt8:
            return "uint8";
        case SettingType::Double:
            return "double";
    }
    return "";
}

// The docs' field table names every row, in order, with its offset, size, type, default
// and option: a second program reads the block from that page.
TEST(SettingsTableTest, TheWrittenFieldTableIsTheCodesTable) {
    std::ifstream page(VARNEL_TESTS_SOURCE_PATH "/../docs/settings-block.md");
    ASSERT_TRUE(page) << "docs/settings-block.md";
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(page, line);) {
        const std::vector<std::string> cells = Cells(line);
        if (line.rfind("| ", 0) == 0 && cells.size() == 8 && std::isdigit(uint8_t(cells[0][0])))
            rows.push_back(cells);
    }
    const std::vector<SettingRow>& table = SettingRows();
    ASSERT_EQ(rows.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const SettingRow& row = table[i];
        const std::vector<std::string>& cells = rows[i];
        EXPECT_EQ(cells[0], std::to_string(row.offset)) << row.name;
        EXPECT_EQ(cells[1], std::to_string(SettingSize(row.type))) << row.name;
        EXPECT_EQ(cells[2], TypeName(row)) << row.name;
        EXPECT_EQ(cells[3], "`" + std::string(row.name) + "`");
        std::ostringstream defaultText;
        defaultText << row.defaultValue;
        EXPECT_EQ(cells[4], IsText(row.type) ? "\"\"" : defaultText.str()) << row.name;
        if (row.flag != nullptr) {
            EXPECT_EQ(cells[7].find(std::string("`") + row.flag), 0u) << row.name;
        }
        EXPECT_TRUE(row.offset < kExtensionOffset || row.offset >= kExtensionFieldsOffset) << row.name;
        EXPECT_LE(row.offset + SettingSize(row.type), kSettingsBlockSize) << row.name;
    }
}

TEST(SettingsTableTest, BadStoredValuesReadAsTheirRuleSays) {
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double stored, read;
    };
    const Case cases[] = {
        {"density", -5, 0},
        {"density", 2e9, 2e9},
        {"textureAmount", 1e8, 100},
        {"textureAmount", -1, 0},
        {"scale", nan, 1},
        {"scale", -2, 1},
        {"scale", 1e-9, 0.01},
        {"randomScale", inf, 1},
        {"randomScale", 1e6, 100},
        {"rotationAngle", inf, 0},
        {"rotationAngle", 725, 5},
        {"randomRotation", -400, -40},
        {"rotationAngle", 359.5, 359.5},
        {"hueJitter", 181, 180},
        {"hueJitter", -3, 0},
        {"brightnessJitter", 1e9, 100},
        {"opacityJitter", -1e9, 0},
        {"flip", 4, 0},
        {"flip", 3, 3},
        {"blendMode", 6, 0},
        {"blendMode", 5, 5},
        {"randomSeed", 0, 0},
    };
    for (const Case& c : cases) {
        const SettingRow* row = FindSetting(c.name);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(SanitizedValue(*row, c.stored), c.read) << c.name << " " << c.stored;
    }

    // Extensions of every length over the same fields: hue 500, brightness -7, opacity 55,
    // flip 7 and blend 3; a block of 368 bytes has room for a length of 32 at most.
    std::vector<uint8_t> block(368, 0);
    std::memcpy(block.data() + kExtensionOffset, kExtensionTag, 4);
    const int32_t fields[3] = {500, -7, 55};
    std::memcpy(block.data() + kExtensionFieldsOffset, fields, sizeof fields);
    block[348] = 7, block[349] = 3;
    struct Length {
        uint32_t length;
        int32_t hue, brightness, opacity;
        int blend;
    };
    const Length lengths[] = {{0, 0, 0, 0, 0},     {3, 0, 0, 0, 0},         {4, 180, 0, 0, 0},
                              {12, 180, 0, 55, 0}, {14, 180, 0, 55, 3},     {32, 180, 0, 55, 3},
                              {33, 0, 0, 0, 0},    {0xFFFFFFFF, 0, 0, 0, 0}};
    for (const Length& l : lengths) {
        std::memcpy(block.data() + kExtensionOffset + 4, &l.length, 4);
        const EffectVariation v = ReadVariation(block.data(), block.size());
        EXPECT_EQ(v.hueJitter, l.hue) << l.length;
        EXPECT_EQ(v.brightnessJitter, l.brightness) << l.length;
        EXPECT_EQ(v.opacityJitter, l.opacity) << l.length;
        EXPECT_EQ(v.flip, 0) << l.length;
        EXPECT_EQ(int(v.blend), l.blend) << l.length;
    }
    block[328] = 'v';  // the tag is case-sensitive
    EXPECT_EQ(ReadVariation(block.data(), block.size()).hueJitter, 0);
    EXPECT_EQ(ReadVariation(block.data(), 328).hueJitter, 0);
}

}  // namespace
