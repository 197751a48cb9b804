// Writes the reader test corpus: small files of every form the readers handle, and
// broken ones, made from scratch so that they are the same on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ReaderCorpus {

using Bytes = std::vector<uint8_t>;

void Save(const std::string& folder, const std::string& name, const Bytes& bytes);

// A repeatable pattern with edges in every channel, so row or channel mix-ups show.
inline uint8_t Pattern(int x, int y, int channel) {
    return uint8_t(x * 37 + y * 91 + channel * 73 + (x ^ y) * 5);
}

void Put16(Bytes& b, unsigned v);
void Put32(Bytes& b, uint32_t v);

void WriteBmpFiles(const std::string& folder);
void WritePngFiles(const std::string& folder);
void WriteJpegFiles(const std::string& folder);

// Whole encoded files, for the broken variants made from them.
Bytes EncodePng(int colourType, int bitDepth, bool interlaced, const std::vector<uint8_t>& trns,
                int paletteSize);
Bytes EncodeJpeg(int components, bool progressive, int restartRows);

}  // namespace ReaderCorpus
