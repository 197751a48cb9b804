// What the reader tests share: where the corpus is, and a short exact description of a
// loaded image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class OrvDIBBuffer;
class OrvImage2;

namespace ReaderTest {

std::string CorpusFile(const std::string& name);
std::vector<uint8_t> FileBytes(const std::string& path);

// FNV-1a over the colour table and the meaningful bytes of every row, top row first.
uint64_t PixelHash(const OrvDIBBuffer& image);

// result, width, height, depth, hasAlpha, transparent, hash: one line of the manifest.
std::string Describe(bool loaded, const OrvImage2& image);

}  // namespace ReaderTest
