// Files and folders for the command-line host's tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host/cli/ImageFile.h"

namespace CliTest {

// A fresh folder, removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path; }
    std::string operator/(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};

// Every pixel differs from its neighbours, so swapped or shifted planes show.
VarnCli::Raster Pattern(int32_t width, int32_t height, int32_t channels);

// Writes with libpng's simplified interface, independent of the code under test:
// format is one of its PNG_FORMAT_ values; 16-bit grey takes two bytes a pixel.
void WritePngWithFormat(const std::string& path, const VarnCli::Raster& image, uint32_t format);
void WriteJpeg(const std::string& path, const VarnCli::Raster& image, int quality);
// A bottom-up 24-bit Windows bitmap of an RGB image, rows padded to 4 bytes.
void WriteBmp(const std::string& path, const VarnCli::Raster& image);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);
VarnCli::Raster ReadImage(const std::string& path);  // fails the test when unreadable

}  // namespace CliTest
