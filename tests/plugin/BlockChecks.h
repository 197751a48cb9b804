// Checks of a parameter block as the host holds it.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "product/engine/EffectParameters.h"
#include "product/engine/SettingsTable.h"

// A fresh block: every byte zero except the defaults, the extension's tag and length.
inline void ExpectDefaultBlock(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(bytes.size(), kSettingsBlockSize);
    std::vector<uint8_t> expected(kSettingsBlockSize, 0);
    ResetSettings(expected.data(), expected.size());
    EXPECT_EQ(bytes, expected) << "block differs from zeroed defaults";
    EXPECT_EQ(std::memcmp(bytes.data() + kExtensionOffset, "VRNX\x30\x01\0\0", 8), 0);
    EffectParameters p;
    std::memcpy(&p, bytes.data(), sizeof p);
    EXPECT_EQ(p.path[0], 0);
    EXPECT_EQ(p.density, 10);
    EXPECT_EQ(p.randomSeed, 1);
    EXPECT_EQ(p.textureAmount, 50);
    EXPECT_EQ(p.opacity, 255);
    EXPECT_EQ(p.scale, 1.0);
    EXPECT_EQ(p.randomScale, 1.0);
    EXPECT_EQ(p.orderByDepth, 0);
}

// A fresh block after Start: the Image page opened on the first category with no path
// stored, so it took that category's first preset from the library beside the module.
inline void ExpectDefaultBlockWithFirstPreset(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(bytes.size(), kSettingsBlockSize);
    EffectParameters p;
    std::memcpy(&p, bytes.data(), sizeof p);
    const std::string path(p.path, strnlen(p.path, sizeof p.path));
    ASSERT_FALSE(path.empty()) << "no preset chosen";
    std::error_code ignored;
    EXPECT_TRUE(std::filesystem::exists(path, ignored)) << path;
    EXPECT_EQ(p.multipleImages, std::filesystem::is_directory(path, ignored) ? 1 : 0) << path;
    std::vector<uint8_t> rest = bytes;
    std::memset(rest.data(), 0, sizeof p.path);
    rest[offsetof(EffectParameters, multipleImages)] = 0;
    ExpectDefaultBlock(rest);
}
