#include "ChmFile.h"

namespace Chm {
namespace {

constexpr size_t kHeaderStamp = 0x10;
constexpr uint16_t kSystemTimeStamp = 10;

bool Read32(const std::vector<uint8_t>& f, uint64_t at, uint32_t& v) {
    if (at + 4 > f.size()) return false;
    v = static_cast<uint32_t>(f[at]) | static_cast<uint32_t>(f[at + 1]) << 8 |
        static_cast<uint32_t>(f[at + 2]) << 16 | static_cast<uint32_t>(f[at + 3]) << 24;
    return true;
}

bool Read64(const std::vector<uint8_t>& f, uint64_t at, uint64_t& v) {
    uint32_t lo, hi;
    if (!Read32(f, at, lo) || !Read32(f, at + 4, hi)) return false;
    v = static_cast<uint64_t>(hi) << 32 | lo;
    return true;
}

// Directory numbers: seven bits a byte, most significant first, high bit set on all but the last.
bool ReadEncoded(const std::vector<uint8_t>& f, uint64_t& at, uint64_t end, uint64_t& v) {
    v = 0;
    for (int i = 0; i < 9; ++i) {
        if (at >= end) return false;
        const uint8_t b = f[at++];
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

bool HasTag(const std::vector<uint8_t>& f, uint64_t at, const char* tag) {
    if (at + 4 > f.size()) return false;
    for (int i = 0; i < 4; ++i)
        if (f[at + i] != static_cast<uint8_t>(tag[i])) return false;
    return true;
}

// Where the "#SYSTEM" record holding the compile time keeps its four bytes.
bool FindSystemStamp(const std::vector<uint8_t>& f, uint64_t& at) {
    std::vector<Entry> entries;
    uint64_t content = 0;
    if (!ReadDirectory(f, entries) || !Read64(f, 0x58, content)) return false;
    for (const Entry& e : entries) {
        if (e.name != "/#SYSTEM" || e.section != 0) continue;
        uint64_t p = content + e.offset + 4;  // after the version
        const uint64_t end = content + e.offset + e.length;
        if (end > f.size()) return false;
        while (p + 4 <= end) {
            const uint16_t code = static_cast<uint16_t>(f[p] | f[p + 1] << 8);
            const uint16_t length = static_cast<uint16_t>(f[p + 2] | f[p + 3] << 8);
            if (code == kSystemTimeStamp && length == 4 && p + 8 <= end) {
                at = p + 4;
                return true;
            }
            p += 4 + static_cast<uint64_t>(length);
        }
    }
    return false;
}

}  // namespace

bool ReadDirectory(const std::vector<uint8_t>& f, std::vector<Entry>& entries) {
    entries.clear();
    uint64_t directory = 0;
    uint32_t version = 0;
    if (!HasTag(f, 0, "ITSF") || !Read32(f, 4, version) || version != 3 || !Read64(f, 0x48, directory))
        return false;
    uint32_t headerLength = 0, chunkSize = 0, chunks = 0;
    if (!HasTag(f, directory, "ITSP") || !Read32(f, directory + 8, headerLength) ||
        !Read32(f, directory + 0x10, chunkSize) || !Read32(f, directory + 0x2C, chunks) || chunkSize < 0x20)
        return false;
    for (uint32_t i = 0; i < chunks; ++i) {
        const uint64_t chunk = directory + headerLength + static_cast<uint64_t>(i) * chunkSize;
        if (chunk + chunkSize > f.size()) return false;
        if (!HasTag(f, chunk, "PMGL")) continue;  // index chunks repeat names already listed
        uint32_t freeSpace = 0;
        Read32(f, chunk + 4, freeSpace);
        if (freeSpace > chunkSize - 0x14) return false;
        uint64_t p = chunk + 0x14;
        const uint64_t end = chunk + chunkSize - freeSpace;
        while (p < end) {
            Entry e;
            uint64_t nameLength = 0;
            if (!ReadEncoded(f, p, end, nameLength) || p + nameLength > end) return false;
            e.name.assign(reinterpret_cast<const char*>(&f[p]), static_cast<size_t>(nameLength));
            p += nameLength;
            if (!ReadEncoded(f, p, end, e.section) || !ReadEncoded(f, p, end, e.offset) ||
                !ReadEncoded(f, p, end, e.length))
                return false;
            entries.push_back(e);
        }
    }
    return true;
}

bool ReadTimeStamps(const std::vector<uint8_t>& f, uint32_t& header, uint32_t& system) {
    uint64_t at = 0;
    return HasTag(f, 0, "ITSF") && Read32(f, kHeaderStamp, header) && FindSystemStamp(f, at) &&
           Read32(f, at, system);
}

bool ClearTimeStamps(std::vector<uint8_t>& f) {
    uint64_t at = 0;
    if (!HasTag(f, 0, "ITSF") || f.size() < kHeaderStamp + 4 || !FindSystemStamp(f, at)) return false;
    for (int i = 0; i < 4; ++i) {
        f[kHeaderStamp + i] = 0;
        f[at + i] = 0;
    }
    return true;
}

}  // namespace Chm
