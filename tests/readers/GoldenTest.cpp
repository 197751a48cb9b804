// Every corpus file through LoadImageFile, against the checked-in manifest: exact sizes,
// flags and pixel hashes, the same on every build. With VARNEL_UPDATE_GOLDEN set the
// test writes the manifest instead, for review by diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "ReaderTestSupport.h"

namespace {

const char kHeader[] = "# file\tresult\twidth\theight\tdepth\thasAlpha\ttransparent\thash";

std::vector<std::string> CorpusNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VARNEL_READER_CORPUS))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Load(const std::string& name) {
    OrvImage2 image;
    bool loaded = LoadImageFile(ReaderTest::CorpusFile(name), image, true);
    return ReaderTest::Describe(loaded, image);
}

std::map<std::string, std::string> Manifest() {
    std::map<std::string, std::string> rows;
    std::ifstream in(VARNEL_READER_GOLDEN);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t tab = line.find('\t');
        rows[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
    }
    return rows;
}

TEST(ReaderGolden, EveryCorpusFileLoadsAsTheManifestSays) {
    const std::vector<std::string> names = CorpusNames();
    ASSERT_GT(names.size(), 100u);
    if (std::getenv("VARNEL_UPDATE_GOLDEN") != nullptr) {
        std::ofstream out(VARNEL_READER_GOLDEN, std::ios::binary);
        out << kHeader << "\n";
        for (const std::string& name : names) out << name << "\t" << Load(name) << "\n";
        GTEST_SKIP() << "manifest written to " << VARNEL_READER_GOLDEN;
    }
    const auto manifest = Manifest();
    for (const std::string& name : names) {
        auto row = manifest.find(name);
        if (row == manifest.end()) {
            ADD_FAILURE() << name << " is not in the manifest";
            continue;
        }
        EXPECT_EQ(row->second, Load(name)) << name;
    }
    EXPECT_EQ(manifest.size(), names.size()) << "manifest rows without a corpus file";
}

// The corpus says which outcome each file must have by its name.
TEST(ReaderGolden, BrokenFilesFailAndTheOthersLoad) {
    for (const auto& [name, row] : Manifest()) {
        const bool broken = name.rfind("bad_", 0) == 0;
        EXPECT_EQ(row.rfind(broken ? "false" : "true", 0), 0u) << name;
    }
}

}  // namespace

namespace {

// Files that hold one picture in two forms must load identically: rows stored either
// way up, the core header, Adam7 interlacing.
TEST(ReaderGolden, TwinsLoadAlike) {
    const auto manifest = Manifest();
    const std::pair<std::string, std::string> suffixes[] = {{"_interlaced.png", ".png"},
                                                            {"_topdown.bmp", ".bmp"}};
    int twins = 0;
    for (const auto& [name, row] : manifest) {
        if (name.rfind("bad_", 0) == 0) continue;
        std::string other = name;
        for (const auto& [from, to] : suffixes)
            if (name.size() > from.size() && name.compare(name.size() - from.size(), from.size(), from) == 0)
                other = name.substr(0, name.size() - from.size()) + to;
        if (name.rfind("bmp_core_", 0) == 0) other = "bmp_" + name.substr(9);
        if (other == name) continue;
        ASSERT_EQ(manifest.count(other), 1u) << other;
        EXPECT_EQ(row, manifest.at(other)) << name << " and " << other;
        ++twins;
    }
    EXPECT_GE(twins, 25);
}

}  // namespace
